#include "MainWindow.h"

#include "AccessibleRole.h"
#include "ActionHistory.h"
#include "FormScale.h"
#include "HelpWindow.h"
#include "InputFieldTexts.h"
#include "InputWatch.h"
#include "MatrixIntake.h"
#include "OrientationPane.h"
#include "WindowNotes.h"
#include "quorvex/Calculations.h"
#include "ui_MainWindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>

#include <array>
#include <string>

namespace quorvex {

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::MainWindow>())
{
    installAccessibleRoles();
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
    m_notes = new WindowNotes(*m_ui->problemNote, *m_ui->lineNote,
        { inputs[0], inputs[1], inputs[2], inputs[3], inputs[4], inputs[5], matrix });
    connect(m_history, &ActionHistory::changed, m_notes, [this] {
        m_notes->forgetRefusal();
        m_notes->setDisagreement(m_history->disagreement());
    });
    auto *intake = new MatrixIntake(*this, inputs, *matrix);
    connect(intake, &MatrixIntake::offered, this, &MainWindow::readMatrix);
    connect(intake, &MatrixIntake::refused, this, &MainWindow::refuse);
    connect(intake, &MatrixIntake::menuShown, m_history, &ActionHistory::adaptMenu);

    // The picture and the note above the Matrix field follow what the input fields give.
    auto *watch = new InputWatch(*this, inputs);
    auto *view = m_ui->orientationView;
    connect(watch, &InputWatch::readable, view, &OrientationView::setParameters);
    connect(watch, &InputWatch::unreadable, view, [view] { view->setGreyed(true); });
    connect(watch, &InputWatch::readable, m_notes, [this] { m_notes->setInputProblem({}); });
    connect(watch, &InputWatch::unreadable, m_notes, &WindowNotes::setInputProblem);
    watch->read();
    new OrientationPane(*this, *m_ui->form, *view, *m_ui->pictureCheckBox, inputs);

    const auto calculateAngles = [intake] { intake->offerClipboard(); };
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
    }
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
        return refuse(*error, {}, true);
    const auto line = QString::fromStdString(std::get<std::string>(result));
    m_history->record(tr("Calculate Matrix"), [&] { m_ui->matrixEdit->setWholeText(line); });
    QGuiApplication::clipboard()->setText(line);
    m_notes->confirmCopied(line);
}

void MainWindow::readMatrix(
    const QString &text, const QString &name, const QString &advice, bool typed)
{
    const auto result = quorvex::calculateAngles(text.toStdString(), userNumberFormat());
    if (const auto *error = std::get_if<Error>(&result))
        return refuse(*error, advice, typed);
    const auto &read = std::get<AnglesAndScales>(result);
    m_history->record(name, [&] {
        // An image or an empty clipboard gives no text, which reads as the identity.
        const QString shown
            = text.isEmpty() ? QString::fromUtf8(IdentityText.data(), IdentityText.size()) : text;
        if (m_ui->matrixEdit->wholeText() != shown)
            m_ui->matrixEdit->setWholeText(shown);
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

void MainWindow::refuse(const Error &error, const QString &advice, bool blamed)
{
    m_notes->refuse(error, advice, blamed);
    // The text that failed is ready to be typed over.
    if (blamed && error.field != Field::Matrix) {
        QLineEdit *field = edit(error.field);
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    }
}

} // namespace quorvex
