#include "Quorvex.h"

#include "Calculations.h"
#include "ClipboardText.h"
#include "Help.h"
#include "ui_Quorvex.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

#include <array>
#include <string>

namespace quorvex {
namespace {

    // The fields in the order of quorvex::Field, so that an Error leads to its field.
    std::array<QLineEdit *, 7> fields(const Ui::Quorvex &ui)
    {
        return { ui.Text1, ui.Text2, ui.Text3, ui.Text4, ui.Text5, ui.Text6, ui.Text7 };
    }

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

Quorvex::Quorvex(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::Quorvex>())
{
    // The layout was measured with glyph widths rounded to whole pixels, as full hinting draws
    // them; with unhinted widths the heading's 28 blanks push "Ver 2.0" out of its label. Set
    // before the form, so that the fonts of its style sheets inherit it.
    QFont hinted = font();
    hinted.setHintingPreference(QFont::PreferFullHinting);
    setFont(hinted);
    m_ui->setupUi(this);
    // Rot X has the focus when the window opens; typing replaces its "0" rather than adding to it.
    m_ui->Text1->selectAll();
    connect(m_ui->Command1, &QPushButton::clicked, this, &Quorvex::calculateMatrix);
    // Quitting closes every window of the program, Help included.
    connect(m_ui->Command2, &QPushButton::clicked, qApp, &QCoreApplication::quit);
    connect(m_ui->Command3, &QPushButton::clicked, this, &Quorvex::calculateAngles);
    connect(m_ui->Command4, &QPushButton::clicked, this, &Quorvex::showHelp);
}

Quorvex::~Quorvex() = default;

void Quorvex::calculateMatrix()
{
    const auto all = fields(*m_ui);
    // The core reads views; these strings hold the texts for the length of the call.
    std::array<std::string, 6> texts;
    InputTexts inputs;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        texts[i] = all[i]->text().toStdString();
        inputs[i] = texts[i];
    }
    const auto result = quorvex::calculateMatrix(inputs, userNumberFormat());
    if (const auto *error = std::get_if<Error>(&result))
        return showError(*error);
    const auto line = QString::fromStdString(std::get<std::string>(result));
    showInMatrixField(*m_ui->Text7, line);
    QGuiApplication::clipboard()->setText(line);
}

void Quorvex::calculateAngles()
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
    // An image or an empty clipboard gives no text, which the core reads as the identity.
    const std::string line = text->toStdString(); // the core reads it, and shows it back
    const auto result = quorvex::calculateAngles(line);
    if (const auto *error = std::get_if<Error>(&result)) {
        return showError(*error,
            tr("The text on the clipboard is the problem: copy a parameter line, then press "
               "Calculate Angles again."));
    }
    const auto &angles = std::get<Angles>(result);
    showInMatrixField(*m_ui->Text7,
        QString::fromUtf8(angles.matrix.data(), static_cast<qsizetype>(angles.matrix.size())));
    m_ui->Text1->setText(QString::fromStdString(angles.rotX));
    m_ui->Text2->setText(QString::fromStdString(angles.rotY));
    m_ui->Text3->setText(QString::fromStdString(angles.rotZ));
    // The angles are those of a matrix with unit scales.
    for (auto *scale : { m_ui->Text4, m_ui->Text5, m_ui->Text6 })
        scale->setText(QStringLiteral("1"));
}

void Quorvex::showHelp()
{
    // No parent: Help is a window of its own that stays open when this one is closed.
    if (!m_help)
        m_help = std::make_unique<Help>();
    m_help->present();
}

void Quorvex::showError(const Error &error, const QString &advice)
{
    auto *box = new QMessageBox(QMessageBox::Warning, windowTitle(),
        QString::fromStdString(error.message), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(advice);
    if (error.field != Field::Matrix) {
        // Once the message is read, the text that failed is ready to be typed over.
        QLineEdit *field = fields(*m_ui).at(static_cast<std::size_t>(error.field));
        connect(box, &QMessageBox::finished, field, [field] {
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
        });
    }
    // Window-modal and not blocking: the event loop keeps serving the clipboard meanwhile.
    box->open();
}

} // namespace quorvex
