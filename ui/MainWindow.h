#pragma once

#include <QWidget>

#include <array>
#include <memory>

class QLineEdit;

namespace Ui {
class MainWindow;
}

namespace quorvex {

struct Error;
enum class Field;
class ActionHistory;
class HelpWindow;
class WindowNotes;

// The main window. Each action reads the fields or a text given to it, calls one calculation of
// the core and writes the fields (and, for Calculate Matrix, the clipboard) back as one step of
// the history that Ctrl+Z undoes (ActionHistory), or, when the core returns an Error, writes
// nothing and says why in the window (WindowNotes), which also tells whether the Matrix field
// holds what the input fields give. What the user pastes or drops comes through a MatrixIntake;
// the form grows with the desktop's font, and the picture of the orientation beside it follows
// the fields (InputWatch) in the room the window gives it (OrientationPane).
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    void calculateMatrix();
    // Reads a text as a matrix, as Calculate Angles reads the clipboard's, as the step called
    // `name`: an empty text stands for a clipboard without text, the identity. `advice` says what
    // to do if it cannot be read, and `typed` whether the Matrix field's own text is to blame.
    void readMatrix(const QString &text, const QString &name, const QString &advice, bool typed);
    void showHelp();
    // Says why an action wrote nothing. An input field to blame gets the focus, its text selected.
    void refuse(const Error &error, const QString &advice, bool blamed);
    // Rot X … Scale Z.
    std::array<QLineEdit *, 6> inputFields() const;
    QLineEdit *edit(Field field) const;

    std::unique_ptr<Ui::MainWindow> m_ui;
    ActionHistory *m_history = nullptr;
    WindowNotes *m_notes = nullptr;
    // Created on the first "Help" click and kept, so that it reopens where the user left it.
    std::unique_ptr<HelpWindow> m_help;
};

} // namespace quorvex
