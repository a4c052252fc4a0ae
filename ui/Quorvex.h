#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Quorvex;
}

namespace quorvex {

struct Error;
class Help;

// The main window. Each button's slot reads the fields, calls one calculation of the core and
// writes the fields and the clipboard back, or, when the core returns an Error, writes nothing
// and says why.
class Quorvex : public QWidget
{
    Q_OBJECT

public:
    explicit Quorvex(QWidget *parent = nullptr);
    ~Quorvex() override;

private:
    void calculateMatrix();
    void calculateAngles();
    void showHelp();
    // Says what went wrong, and what to do about it if the message alone does not tell; a field
    // to blame gets the focus, its text selected.
    void showError(const Error &error, const QString &advice = {});

    std::unique_ptr<Ui::Quorvex> m_ui;
    // Created on the first "Help" click and kept, so that it reopens where the user left it.
    std::unique_ptr<Help> m_help;
};

} // namespace quorvex
