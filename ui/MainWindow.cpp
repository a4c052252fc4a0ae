#include "MainWindow.h"

#include "ActionHistory.h"
#include "FormScale.h"
#include "HelpWindow.h"
#include "InputFieldTexts.h"
#include "MatrixIntake.h"
#include "OrientationPane.h"
#include "quorvex/Calculations.h"
#include "ui_MainWindow.h"

#include <QAccessibleWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaEnum>
#include <QShortcut>

#include <array>
#include <string>

namespace quorvex {
namespace {

    // Screen readers present the window as a frame, not as the filler that a plain widget is, and
    // a control whose form names an accessibleRole ("Heading") in that role.
    QAccessibleInterface *accessibleRole(const QString &className, QObject *object)
    {
        const bool window = className == QLatin1String(MainWindow::staticMetaObject.className());
        const QByteArray role = object->property("accessibleRole").toByteArray();
        if (!window && role.isEmpty())
            return nullptr;
        return new QAccessibleWidget(static_cast<QWidget *>(object),
            window ? QAccessible::Window
                   : static_cast<QAccessible::Role>(
                       QMetaEnum::fromType<QAccessible::Role>().keyToValue(role.constData())));
    }

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::MainWindow>())
{
    [[maybe_unused]] static const bool installed
        = (QAccessible::installFactory(accessibleRole), true);
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
    growForm(*this, formScale());
    auto *matrix = m_ui->matrixEdit;
    matrix->setWholeText(matrix->text());
    // Rot X has the focus when the window opens; typing replaces its "0" rather than adding to it.
    m_ui->rotXEdit->selectAll();

    const auto inputs = inputFields();
    m_history = new ActionHistory(*this, inputs, *matrix);
    auto *intake = new MatrixIntake(*this, { inputs.begin(), inputs.end() }, *matrix);
    connect(intake, &MatrixIntake::offered, this, &MainWindow::readMatrix);
    connect(intake, &MatrixIntake::refused, this, &MainWindow::showError);
    const auto calculateAngles = [intake] { intake->offerClipboard(QClipboard::Clipboard); };
    new OrientationPane(*this, *m_ui->orientationView, inputs);

    connect(m_ui->calculateMatrixButton, &QPushButton::clicked, this, &MainWindow::calculateMatrix);
    // Quitting closes every window of the program, Help included.
    connect(m_ui->exitButton, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    connect(m_ui->calculateAnglesButton, &QPushButton::clicked, intake, calculateAngles);
    connect(m_ui->helpButton, &QPushButton::clicked, this, &MainWindow::showHelp);
    // The keyboard's ways to the same: F1 opens Help, Ctrl+Q quits, Ctrl+Shift+V calculates the
    // angles (it reads the clipboard, as a paste does, and is no field's key), and Enter in any of
    // the six fields presses the button that their values feed.
    new QShortcut(QKeySequence(Qt::Key_F1), this, this, &MainWindow::showHelp);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, qApp, &QCoreApplication::quit);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), this, intake, calculateAngles);
    for (auto *field : inputs) {
        connect(field, &QLineEdit::returnPressed, m_ui->calculateMatrixButton,
            &QPushButton::animateClick);
        // The confirmation stays until the user's next action or edit.
        connect(field, &QLineEdit::textEdited, m_ui->copiedNotification, &QWidget::hide);
    }
    connect(m_history, &ActionHistory::restored, m_ui->copiedNotification, &QWidget::hide);
}

MainWindow::~MainWindow() = default;

std::array<QLineEdit *, 6> MainWindow::inputFields() const
{
    return { m_ui->rotXEdit, m_ui->rotYEdit, m_ui->rotZEdit, m_ui->scaleXEdit, m_ui->scaleYEdit,
        m_ui->scaleZEdit };
}

QLineEdit *MainWindow::edit(Field field) const
{
    return field == Field::Matrix ? m_ui->matrixEdit
                                  : inputFields().at(static_cast<std::size_t>(field));
}

void MainWindow::calculateMatrix()
{
    const InputFieldTexts texts(inputFields());
    const auto result = quorvex::calculateMatrix(texts.views(), userNumberFormat());
    if (const auto *error = std::get_if<Error>(&result))
        return showError(*error);
    const auto line = QString::fromStdString(std::get<std::string>(result));
    m_history->record([&] { m_ui->matrixEdit->setWholeText(line); });
    QGuiApplication::clipboard()->setText(line);
    m_ui->copiedNotification->announce();
}

void MainWindow::readMatrix(const QString &text, const QString &advice)
{
    const auto result = quorvex::calculateAngles(text.toStdString(), userNumberFormat());
    if (const auto *error = std::get_if<Error>(&result))
        return showError(*error, advice);
    m_ui->copiedNotification->hide();
    const auto &read = std::get<AnglesAndScales>(result);
    m_history->record([&] {
        // An image or an empty clipboard gives no text, which reads as the identity.
        m_ui->matrixEdit->setWholeText(
            text.isEmpty() ? QString::fromUtf8(IdentityText.data(), IdentityText.size()) : text);
        const std::string *values[] { &read.rotX, &read.rotY, &read.rotZ, &read.scaleX,
            &read.scaleY, &read.scaleZ };
        for (std::size_t i = 0; i < std::size(values); ++i)
            edit(static_cast<Field>(i))->setText(QString::fromStdString(*values[i]));
    });
}

void MainWindow::showHelp()
{
    // No parent: Help is a window of its own that stays open when this one is closed.
    if (!m_help)
        m_help = std::make_unique<HelpWindow>();
    m_help->present(*this);
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
