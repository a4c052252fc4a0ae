#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class Help;
}

namespace quorvex {

// The help window: how to use both calculations, the matrix layout and where the parameters go
// in a *.him file.
class Help : public QWidget
{
    Q_OBJECT

public:
    explicit Help(QWidget *parent = nullptr);
    ~Help() override;

    // Shows the window with its text set anew, or brings it to the front if it is already open.
    void present();

private:
    std::unique_ptr<Ui::Help> m_ui;
};

} // namespace quorvex
