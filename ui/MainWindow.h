#pragma once

#include <QWidget>

#include <memory>

class QLineEdit;

namespace Ui {
class MainWindow;
}

namespace quorvex {

struct Error;
enum class Field;
class HelpWindow;

// The main window. Each button's slot reads the fields, calls one calculation of the core and
// writes the fields and the clipboard back, or, when the core returns an Error, writes nothing
// and says why.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    void calculateMatrix();
    void calculateAngles();
    void showHelp();
    // Says what went wrong, and what to do about it if the message alone does not tell; a field
    // to blame gets the focus, its text selected.
    void showError(const Error &error, const QString &advice = {});
    QLineEdit *edit(Field field) const;

    std::unique_ptr<Ui::MainWindow> m_ui;
    // Created on the first "Help" click and kept, so that it reopens where the user left it.
    std::unique_ptr<HelpWindow> m_help;
};

} // namespace quorvex
