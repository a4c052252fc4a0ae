#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class HelpWindow;
}

namespace quorvex {

// The help window: how to use both calculations, the matrix layout and where the parameters go
// in a *.him file.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;

    // Shows the window with its text set anew, beside `main` where the screen has room, or brings
    // it to the front if it is already open.
    void present(const QWidget &main);

private:
    // Fits the window to the height of its screen: where the form is taller, its text scrolls
    // further.
    void fitScreen();
    void placeBeside(const QWidget &main);

    std::unique_ptr<Ui::HelpWindow> m_ui;
    // The form's places, grown with the font: what fitScreen starts from.
    QSize m_formSize;
    QSize m_viewSize;
    QPoint m_exitPlace;
};

} // namespace quorvex
