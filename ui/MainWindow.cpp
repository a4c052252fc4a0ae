#include "MainWindow.h"

#include "ClipboardText.h"
#include "HelpWindow.h"
#include "quorvex/Calculations.h"
#include "ui_MainWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QShortcut>

#include <array>
#include <string>

namespace quorvex {
namespace {

    // The Matrix field only shows what Calculate Angles read, which stays on the clipboard; a line
    // edit lays out its whole text on every keystroke and paint, which takes seconds for a pasted
    // file of megabytes. It shows the beginning of such a text, far more than fits in it.
    constexpr qsizetype MatrixFieldLimit = 10000;

    void showInMatrixField(QLineEdit &field, const QString &text)
    {
        if (text.size() <= MatrixFieldLimit) {
            field.setToolTip({});
            return field.setText(text);
        }
        const auto shown
            = MatrixFieldLimit - (text.at(MatrixFieldLimit - 1).isHighSurrogate() ? 1 : 0);
        field.setText(text.left(shown) + QStringLiteral("…"));
        field.setToolTip(
            QObject::tr("The clipboard holds %L1 characters; the field shows the first %L2.")
                .arg(text.size())
                .arg(shown));
    }

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::MainWindow>())
{
    // The layout was measured with glyph widths rounded to whole pixels, as full hinting draws
    // them; with unhinted widths the heading's 28 blanks push "Ver 2.0" out of its label. Set
    // before the form, so that the fonts of its style sheet inherit it.
    QFont hinted = font();
    hinted.setHintingPreference(QFont::PreferFullHinting);
    setFont(hinted);
    m_ui->setupUi(this);
    // "Ver 2.0": the major and minor version. A screen reader reads the heading without the run of
    // blanks that sets the version apart.
    auto *heading = m_ui->headingLabel;
    heading->setText(heading->text().arg(QStringLiteral(QUORVEX_VERSION).section('.', 0, 1)));
    heading->setAccessibleName(heading->text().simplified());
    // Rot X has the focus when the window opens; typing replaces its "0" rather than adding to it.
    m_ui->rotXEdit->selectAll();
    connect(m_ui->calculateMatrixButton, &QPushButton::clicked, this, &MainWindow::calculateMatrix);
    // Quitting closes every window of the program, Help included.
    connect(m_ui->exitButton, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    connect(m_ui->calculateAnglesButton, &QPushButton::clicked, this, &MainWindow::calculateAngles);
    connect(m_ui->helpButton, &QPushButton::clicked, this, &MainWindow::showHelp);
    // The keyboard's ways to the same: F1 opens Help, Ctrl+Q quits, and Enter in any of the six
    // fields presses the button that their values feed.
    new QShortcut(QKeySequence(Qt::Key_F1), this, this, &MainWindow::showHelp);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, qApp, &QCoreApplication::quit);
    for (auto *field : { m_ui->rotXEdit, m_ui->rotYEdit, m_ui->rotZEdit, m_ui->scaleXEdit,
             m_ui->scaleYEdit, m_ui->scaleZEdit }) {
        connect(field, &QLineEdit::returnPressed, m_ui->calculateMatrixButton,
            &QPushButton::animateClick);
    }
}

MainWindow::~MainWindow() = default;

QLineEdit *MainWindow::edit(Field field) const
{
    switch (field) {
    case Field::RotX:
        return m_ui->rotXEdit;
    case Field::RotY:
        return m_ui->rotYEdit;
    case Field::RotZ:
        return m_ui->rotZEdit;
    case Field::ScaleX:
        return m_ui->scaleXEdit;
    case Field::ScaleY:
        return m_ui->scaleYEdit;
    case Field::ScaleZ:
        return m_ui->scaleZEdit;
    case Field::Matrix:
        return m_ui->matrixEdit;
    }
    Q_UNREACHABLE();
}

void MainWindow::calculateMatrix()
{
    // The core reads views; these strings hold the texts for the length of the call.
    std::array<std::string, 6> texts;
    InputTexts inputs;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        texts[i] = edit(static_cast<Field>(i))->text().toStdString();
        inputs[i] = texts[i];
    }
    const auto result = quorvex::calculateMatrix(inputs, userNumberFormat());
    if (const auto *error = std::get_if<Error>(&result))
        return showError(*error);
    const auto line = QString::fromStdString(std::get<std::string>(result));
    showInMatrixField(*m_ui->matrixEdit, line);
    QGuiApplication::clipboard()->setText(line);
    m_ui->copiedNotification->announce();
}

void MainWindow::calculateAngles()
{
    // The clipboard is to blame for what goes wrong here, not the Matrix field: an edit there would
    // be lost, since the next click reads the clipboard again.
    const auto text = clipboardText();
    if (!text) {
        return showError({ Field::Matrix,
                             tr("Matrix: the program that holds the clipboard did not answer, so "
                                "nothing was read")
                                 .toStdString() },
            tr("Copy the parameter line again, then press Calculate Angles."));
    }
    const auto result = quorvex::calculateAngles(text->toStdString(), userNumberFormat());
    if (const auto *error = std::get_if<Error>(&result)) {
        return showError(*error,
            tr("The text on the clipboard is the problem: copy a parameter line, then press "
               "Calculate Angles again."));
    }
    const auto &read = std::get<AnglesAndScales>(result);
    // An image or an empty clipboard gives no text, which reads as the identity.
    showInMatrixField(*m_ui->matrixEdit,
        text->isEmpty() ? QString::fromUtf8(IdentityText.data(), IdentityText.size()) : *text);
    const std::pair<QLineEdit *, const std::string &> fields[] { { m_ui->rotXEdit, read.rotX },
        { m_ui->rotYEdit, read.rotY }, { m_ui->rotZEdit, read.rotZ },
        { m_ui->scaleXEdit, read.scaleX }, { m_ui->scaleYEdit, read.scaleY },
        { m_ui->scaleZEdit, read.scaleZ } };
    for (const auto &[field, value] : fields)
        field->setText(QString::fromStdString(value));
}

void MainWindow::showHelp()
{
    // No parent: Help is a window of its own that stays open when this one is closed.
    if (!m_help)
        m_help = std::make_unique<HelpWindow>();
    m_help->present();
}

void MainWindow::showError(const Error &error, const QString &advice)
{
    // Whatever an earlier click put on the clipboard, this one put nothing there.
    m_ui->copiedNotification->hide();
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(),
        QString::fromStdString(error.message), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(advice);
    if (error.field != Field::Matrix) {
        // Once the message is read, the text that failed is ready to be typed over.
        QLineEdit *field = edit(error.field);
        connect(box, &QMessageBox::finished, field, [field] {
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        });
    }
    // Window-modal and not blocking: the event loop keeps serving the clipboard meanwhile.
    box->open();
}

} // namespace quorvex
