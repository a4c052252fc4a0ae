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

// The main window. Each action reads the fields or a text given to it, calls one calculation of
// the core and writes the fields (and, for Calculate Matrix, the clipboard) back as one step that
// Ctrl+Z undoes, or, when the core returns an Error, writes nothing and says why. What the user
// pastes or drops comes through a MatrixIntake; the form grows with the desktop's font, and the
// picture of the orientation beside it follows the fields (OrientationPane).
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    void calculateMatrix();
    // Reads a text as a matrix, as Calculate Angles reads the clipboard's: an empty text stands
    // for a clipboard without text, the identity. `advice` says what to do if it cannot be read.
    void readMatrix(const QString &text, const QString &advice);
    void showHelp();
    // Says what went wrong, and what to do about it if the message alone does not tell; a field
    // to blame gets the focus, its text selected.
    void showError(const Error &error, const QString &advice = {});
    // Rot X … Scale Z.
    std::array<QLineEdit *, 6> inputFields() const;
    QLineEdit *edit(Field field) const;

    std::unique_ptr<Ui::MainWindow> m_ui;
    ActionHistory *m_history = nullptr;
    // Created on the first "Help" click and kept, so that it reopens where the user left it.
    std::unique_ptr<HelpWindow> m_help;
};

} // namespace quorvex
