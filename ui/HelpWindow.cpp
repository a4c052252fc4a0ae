#include "HelpWindow.h"

#include "AccessibleRole.h"
#include "FormScale.h"
#include "ui_HelpWindow.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>

namespace quorvex {
namespace {

    // Leading blanks indent the text and draw the matrix picture; the view shows it as plain text,
    // which keeps every blank, the one that ends line 12 included.
    const QString HelpText
        = QStringLiteral("\n"
                         "     Select angles and scaling (optional) then\n"
                         "     press Calculate Matrix button to obtain\n"
                         "     set of matrix parameters.\n"
                         "     Resulting parameters are placed on ClipBoard\n"
                         "     and can be pasted directly into *.him file.\n"
                         "\n"
                         "     Or enter matrix parameters from ClipBoard then\n"
                         "     press Calculate Angles button to obtain\n"
                         "     set of angles corresponding to matrix parameters.\n"
                         "\n"
                         "     A 3D object oriented by vector v = [x, y, z] \n"
                         "     is transformed in space as v' = M × v.\n"
                         "\n"
                         "     Transformation matrix format:\n"
                         "               | r11 r21 r31 t1 |\n"
                         "       M = | r12 r22 r32 t2 |\n"
                         "               | r13 r23 r33 t3 |\n"
                         "               |  0     0     0    1 |\n"
                         "     where r are parameters corresponding to\n"
                         "     angles of rotation around axis X, Y, or Z,\n"
                         "     while t are parameters corresponding to\n"
                         "     displacement along axis X, Y or Z.\n"
                         "\n"
                         "     In the *.him file they are placed as follows:\n"
                         "     r11 r12 r13  r21 r22 r23  r31 r32 r33  t1 t2 t3.\n"
                         "\n"
                         "     Scaling along axis X, Y or Z by way of optional\n"
                         "     parameters permitting to distort (s1<>s2<>s3)\n"
                         "     or to scale (s1=s2=s3) a 3D object.");

    // Below it, what this version adds, in the same short lines: the keys, the units, what paste
    // and drop read, and which way the angles turn.
    QString addedText()
    {
        return HelpWindow::tr("\n"
                              "\n"
                              "     Keys:\n"
                              "     Enter in Rot X … Scale Z: Calculate Matrix.\n"
                              "     Enter in Matrix: reads the text typed there.\n"
                              "     Ctrl+Shift+V: Calculate Angles.\n"
                              "     Ctrl+Z undoes typing and calculations alike,\n"
                              "     Ctrl+Shift+Z or Ctrl+Y redoes them.\n"
                              "     F9 or the Picture box hides or shows the\n"
                              "     picture; in it, drag or press the arrow keys\n"
                              "     to turn the view, Home to turn it back.\n"
                              "     F1 opens Help, Escape closes it, Ctrl+Q quits.\n"
                              "\n"
                              "     Angles are in degrees: 30, 30° or 30 deg;\n"
                              "     0.52 rad is in radians. Scales take no unit.\n"
                              "\n"
                              "     Paste (Ctrl+V) a parameter line, or a matrix\n"
                              "     in rows of three, into any field, or drop it\n"
                              "     or a text file that holds one on the window:\n"
                              "     it is read as Calculate Angles reads the\n"
                              "     ClipBoard. Anything else pasted is typing.\n"
                              "\n"
                              "     The line is M read by columns: r11 r12 r13\n"
                              "     is where X goes. M scales the object along\n"
                              "     its own axes, then turns it about the fixed\n"
                              "     axes X, Y and Z in turn; a positive angle\n"
                              "     turns it clockwise as seen from the tip of\n"
                              "     its axis toward the origin: the CW of the\n"
                              "     main window's heading.");
    }

} // namespace

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::HelpWindow>())
{
    // Its form names its role, a window's, for screen readers.
    installAccessibleRoles();
    m_ui->setupUi(this);
    // The text is measured against the view as the form grows with the desktop's font.
    m_ui->helpTextView->setPlainText(HelpText + addedText());
    growForm(*this, formScale());
    m_formSize = size();
    m_viewSize = m_ui->helpTextView->size();
    m_exitPlace = m_ui->closeButton->pos();
    // Only a close button: there is nothing to gain from minimizing or enlarging a fixed page.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // Placed as a label would place it: from the view's top left corner.
    m_ui->helpTextView->document()->setDocumentMargin(0);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QWidget::close);
    // Escape and Ctrl+W close it too, Enter presses the focused Exit button, and Ctrl+Q quits the
    // program from here as from the main window.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), this, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this, qApp, &QCoreApplication::quit);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::present(const QWidget &main)
{
    if (!isVisible()) {
        // The text stands on the tool-tip colours of the theme in use when the window opens.
        QPalette colours = m_ui->helpTextView->palette();
        colours.setBrush(QPalette::Base, colours.toolTipBase());
        colours.setBrush(QPalette::Text, colours.toolTipText());
        m_ui->helpTextView->setPalette(colours);
        m_ui->helpTextView->setPlainText(HelpText + addedText());
        fitScreen();
        placeBeside(main);
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void HelpWindow::fitScreen()
{
    // The frame that the window manager adds, as it framed the windows shown so far (this one
    // not before it has been shown); the screen of the main window, where it opens.
    int frame = 0;
    const QWidget *neighbour = this;
    for (const auto *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        frame = std::max(frame, window->frameGeometry().height() - window->height());
        if (window != this)
            neighbour = window;
    }
    const int room = neighbour->screen()->availableGeometry().height() - frame;
    // The text scrolls, being longer than the form's page, and gives up the height that the
    // screen lacks; Exit stays below it. Its lines keep the width they had beside the scroll bar.
    auto *view = m_ui->helpTextView;
    auto *exit = m_ui->closeButton;
    const int lack = std::max(0, m_formSize.height() - room);
    const int bar = view->verticalScrollBar()->sizeHint().width();
    setFixedSize(m_formSize.width() + bar, m_formSize.height() - lack);
    view->resize(m_viewSize.width() + bar, m_viewSize.height() - lack);
    exit->move(m_exitPlace.x() + bar / 2, m_exitPlace.y() - lack);
}

void HelpWindow::placeBeside(const QWidget &main)
{
    // At the right of the main window, or else at its left, where the screen has room: not over
    // the picture. Elsewhere the window manager places it.
    const QRect screen = main.screen()->availableGeometry(), beside = main.frameGeometry();
    const QSize frame = beside.size() - main.size();
    const int width = this->width() + frame.width();
    int x = beside.right() + 1;
    if (x + width > screen.right() + 1)
        x = beside.left() - width;
    if (x < screen.left())
        return;
    move(x,
        std::max(
            screen.top(), std::min(beside.top(), screen.bottom() + 1 - height() - frame.height())));
}

} // namespace quorvex
