// The picture of a matrix: where its points land and what it says to screen readers, what it paints
// in a light and a dark theme, and how the mouse turns the view. Matrices come from the core's
// calculation of six field texts, as the window feeds them.

#include "InputWatch.h"
#include "MainWindow.h"
#include "OrientationDescription.h"
#include "OrientationView.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <span>

using namespace quorvex;

namespace {

// "10 20 30" or "0 0 0 2 1 1": angles, then scales (1 where left out).
Parameters matrix(const QString &texts)
{
    const std::string line = texts.toStdString();
    InputTexts inputs { "", "", "", "1", "1", "1" };
    splitWords(line, inputs);
    return std::get<Parameters>(calculateParameters(inputs, {}));
}

// Where a direction of the unturned space lands, AxisLength long, as the unturned axes of the
// picture show (which grow with the longest turned axis).
ViewPoint landing(const Vector &direction, const OrientationPicture &picture)
{
    return AxisLength / length(picture.unturnedAxes[0])
        * (direction.x * picture.unturnedAxes[0] + direction.y * picture.unturnedAxes[1]
            + direction.z * picture.unturnedAxes[2]);
}

const Vector X { 1, 0, 0 }, Y { 0, 1, 0 }, Z { 0, 0, 1 };
using Images = std::array<Vector, 3>; // where X, Y and Z land

// As WCAG reckons it.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto linear = [](double x) {
            return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const auto [dark, light] = std::minmax({ luminance(a), luminance(b) });
    return (light + 0.05) / (dark + 0.05);
}

} // namespace

class OrientationTest : public QObject
{
    Q_OBJECT

private slots:
    void pictureOfEachOrientation_data();
    void pictureOfEachOrientation();
    void arcsTurnAsPositiveAnglesDo();
    void pixels_data();
    void pixels();
    void dragAndKeysTurnTheViewNotTheObject();
    void pictureFollowsTheFields();
};

void OrientationTest::pictureOfEachOrientation_data()
{
    QTest::addColumn<QString>("texts");
    QTest::addColumn<Images>("images");
    QTest::addColumn<int>("hidden"); // the cube's corner that hides its edges (bits ZYX), or -1
    QTest::addColumn<QString>("description"); // "": not checked

    QTest::newRow("identity") << "0 0 0" << Images { X, Y, Z } << 0b011
                              << "X: right, a little up, away from you. Y: left, a little up, away "
                                 "from you. Z: up, a little toward you.";
    QTest::newRow("90 about X") << "90 0 0" << Images { X, -1 * Z, Y } << 0b111 << "";
    QTest::newRow("90 about Y") << "0 90 0" << Images { Z, Y, -1 * X } << 0b010 << "";
    QTest::newRow("90 about Z") << "0 0 90" << Images { -1 * Y, X, Z } << 0b010 << "";
    QTest::newRow("10 20 30") << "10 20 30"
                              << Images { Vector { 0.813798, -0.469846, 0.34202 },
                                     { 0.543838, 0.823173, -0.163176 },
                                     { -0.204874, 0.318796, 0.925417 } }
                              << 0b011 << "";
    // Y at 90: X and Z turn about the same axis, so 30 about either is the same picture.
    const Images locked { Z, Vector { 0.5, 0.866025, 0 }, Vector { -0.866025, 0.5, 0 } };
    QTest::newRow("gimbal lock, X 30") << "30 90 0" << locked << 0b010 << "";
    QTest::newRow("gimbal lock, Z 30") << "0 90 30" << locked << 0b010 << "";
    QTest::newRow("scale of 2") << "0 0 0 2 1 1" << Images { 2 * X, Y, Z } << 0b011 << "";
    QTest::newRow("scales 2 3 4") << "0 0 0 2 3 4" << Images { 2 * X, 3 * Y, 4 * Z } << 0b011 << "";
    QTest::newRow("scales of a tenth")
        << "0 0 0 0.1 0.1 0.1" << Images { 0.1 * X, 0.1 * Y, 0.1 * Z } << 0b011 << "";
    QTest::newRow("mirror image")
        << "0 0 0 1 -1 1" << Images { X, -1 * Y, Z } << 0b001
        << "X: right, a little up, away from you. Y: right, a little down, toward you. Z: up, a "
           "little toward you. A mirror image.";
    QTest::newRow("flat mirror image: nothing hidden")
        << "0 0 0 -2 0.5 0" << Images { -2 * X, 0.5 * Y, 0 * Z } << -1
        << "X: left, a little down, toward you, 2 long. Y: left, a little up, away from you, 0.5 "
           "long. Z: nowhere, since it has no length.";
}

void OrientationTest::pictureOfEachOrientation()
{
    QFETCH(QString, texts);
    QFETCH(Images, images);
    QFETCH(int, hidden);
    QFETCH(QString, description);

    for (const View view : { View { -120, 55 }, StandardView }) {
        const auto picture = orientationPicture(matrix(texts), view);
        for (std::size_t i = 0; i < 3; ++i)
            QVERIFY(length(picture.axes[i] - landing(images[i], picture)) < 1e-5);
        // The cube's corners are where its edges along the turned axes take them.
        for (std::size_t corner = 0; corner < 8; ++corner) {
            ViewPoint sum;
            for (std::size_t i = 0; i < 3; ++i)
                sum = sum + static_cast<double>(corner >> i & 1) / AxisLength * picture.axes[i];
            QVERIFY(length(picture.cube[corner] - sum) < 1e-9);
        }
    }
    const auto picture = orientationPicture(matrix(texts));
    for (std::size_t i = 0; i < CubeEdges.size(); ++i) {
        const auto [from, to] = CubeEdges[i];
        QCOMPARE(picture.hiddenEdges[i], int(from) == hidden || int(to) == hidden);
    }
    if (!description.isEmpty())
        QCOMPARE(orientationDescription(matrix(texts)), description);

    // Drawn in its pane, standard or turned, the picture stands in the middle of its square (not
    // in its upper half), and each arc is wide enough to read, whatever the scales.
    OrientationView view;
    view.resize(300, 300);
    view.setParameters(matrix(texts));
    for (const auto key : { Qt::Key_Home, Qt::Key_Down, Qt::Key_Right }) {
        QTest::keyClick(&view, key);
        const auto drawn = orientationPicture(view.parameters(), view.view());
        QRectF extent(view.position(drawn.unturnedAxes[0]), QSizeF());
        for (const std::span<const ViewPoint> points : { std::span<const ViewPoint>(drawn.axes),
                 std::span<const ViewPoint>(drawn.unturnedAxes),
                 std::span<const ViewPoint>(drawn.cube),
                 std::span<const ViewPoint>(drawn.arcs[0].line),
                 std::span<const ViewPoint>(drawn.arcs[1].line),
                 std::span<const ViewPoint>(drawn.arcs[2].line) }) {
            for (const auto &point : points)
                extent |= QRectF(view.position(point), QSizeF(1, 1));
        }
        QVERIFY(QRectF(0, 0, 300, 300).contains(extent));
        QVERIFY(
            std::abs(extent.center().y() - 150) < 45 && std::abs(extent.center().x() - 150) < 45);
        for (const auto &arc : drawn.arcs) {
            QRectF around(view.position(arc.line[0]), QSizeF(1, 1));
            for (const auto &point : arc.line)
                around |= QRectF(view.position(point), QSizeF(1, 1));
            QVERIFY(std::max(around.width(), around.height()) > 15);
        }
    }
}

// A small positive angle about an axis moves the next axis' tip the way the arc goes round, and the
// arrow head points on.
void OrientationTest::arcsTurnAsPositiveAnglesDo()
{
    for (const View view : { StandardView, View { -120, 55 } }) {
        for (qsizetype axis = 0; axis < 3; ++axis) {
            QString texts = "0 0 0";
            texts[2 * axis] = '5';
            const auto picture = orientationPicture(matrix(texts), view);
            const auto next = static_cast<std::size_t>(axis + 1) % 3;
            const auto moved = cross(picture.unturnedAxes[next], picture.axes[next]);
            const Arc &arc = picture.arcs[static_cast<std::size_t>(axis)];
            QVERIFY(dot(moved, cross(arc.line[1] - arc.line[0], arc.line[2] - arc.line[1])) > 0);
            const ViewPoint &end = arc.line.back(), &before = arc.line[ArcPoints - 2];
            QVERIFY(dot(arc.head[0] - end, end - before) > 0);
        }
    }
}

void OrientationTest::pixels_data()
{
    QTest::addColumn<QString>("texts");
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("greyed");
    QTest::addColumn<int>("ratio"); // device pixels to a pixel

    const QPalette light = QApplication::style()->standardPalette();
    const QPalette dark(Qt::white, Qt::darkGray, Qt::gray, Qt::black, QColor(0x4d, 0x52, 0x57),
        QColor(0xfc, 0xfc, 0xfc), Qt::white, QColor(0x1b, 0x1e, 0x20), QColor(0x2a, 0x2e, 0x32));
    QTest::newRow("light, 10 20 30") << "10 20 30" << light << false << 1;
    QTest::newRow("dark, 10 20 30") << "10 20 30" << dark << false << 1;
    QTest::newRow("light, mirror image") << "0 0 0 -1 1 1" << light << false << 1;
    QTest::newRow("dark, 90 about Z, twice the pixels") << "0 0 90" << dark << false << 2;
    QTest::newRow("light, greyed") << "10 20 30" << light << true << 1;
    QTest::newRow("dark, greyed, twice the pixels") << "10 20 30" << dark << true << 2;
}

// Each turned axis stands in its field's hue where the geometry puts it, with a contrast of 3 to
// the background at least; greyed, no colour is left, and screen readers hear so. The view is the
// main window's pane, which takes its colours from the fields.
void OrientationTest::pixels()
{
    QFETCH(QString, texts);
    QFETCH(QPalette, palette);
    QFETCH(bool, greyed);
    QFETCH(int, ratio);

    const MainWindow window;
    auto &view = *window.findChild<OrientationView *>();
    view.setPalette(palette);
    view.resize(300, 300);
    view.setParameters(matrix(texts));
    view.setGreyed(greyed);
    QImage image(view.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(palette.color(QPalette::Window)); // the window's, around the picture's square
    view.render(&image);

    const auto chroma = [](const QColor &c) { return c.hsvSaturationF() * c.valueF(); };
    const auto picture = orientationPicture(view.parameters(), view.view());
    const char *fields[] { "rotXEdit", "rotYEdit", "rotZEdit" };
    for (std::size_t i = 0; i < 3; ++i) {
        const QColor field
            = window.findChild<QLineEdit *>(fields[i])->palette().color(QPalette::Base);
        // Short of the head and the label; another line may cross the axis anywhere.
        int coloured = 0;
        const QPoint at = (view.position(0.75 * picture.axes[i]) * ratio).toPoint();
        for (int y = at.y() - 2 * ratio; y <= at.y() + 2 * ratio; ++y) {
            for (int x = at.x() - 2 * ratio; x <= at.x() + 2 * ratio; ++x) {
                const QColor pixel = image.pixelColor(x, y);
                coloured += chroma(pixel) > 0.4
                    && contrast(pixel, palette.color(QPalette::Base)) >= 3
                    && std::abs(pixel.hsvHue() - field.hsvHue()) < 10;
            }
        }
        QCOMPARE(coloured > 0, !greyed);
    }
    for (int y = 0; greyed && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QVERIFY(chroma(image.pixelColor(x, y)) < 0.05);

    // Screen readers meet an image described in words; Qt tells them of a change with an event,
    // which reaches nobody on the offscreen platform.
    QAccessibleInterface *described = QAccessible::queryAccessibleInterface(&view);
    QCOMPARE(described->role(), QAccessible::Graphic);
    QVERIFY(
        QAccessible::queryAccessibleInterface(new QWidget(&view))->role() != QAccessible::Graphic);
    const QString words = described->text(QAccessible::Description);
    QVERIFY(words.endsWith(orientationDescription(view.parameters())));
    QCOMPARE(words.startsWith("Greyed"), greyed);
}

// What the screen shows, which only a repaint that the view asks for changes, and what screen
// readers are told: a drag turns the view, never the object, and so do the keys while the view has
// the focus (Right as a drag to the right, Down as a drag down); a double click and Home turn it
// back.
void OrientationTest::dragAndKeysTurnTheViewNotTheObject()
{
    OrientationView view;
    view.resize(300, 300);
    view.setParameters(matrix("10 20 30"));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const auto shown = [&] { return view.screen()->grabWindow(view.winId()).toImage(); };
    const auto words = [&] {
        return QAccessible::queryAccessibleInterface(&view)->text(QAccessible::Description);
    };
    QImage standard;
    QTRY_VERIFY(!(standard = shown()).isNull());
    const QString standardWords = words();

    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(150, 150));
    QTest::mouseMove(&view, QPoint(200, 180));
    QCOMPARE(words(), standardWords); // said once the drag ends
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(200, 180));
    QTRY_VERIFY(shown() != standard);
    QCOMPARE(view.parameters(), matrix("10 20 30"));
    QVERIFY(view.view().azimuth < StandardView.azimuth
        && view.view().elevation > StandardView.elevation);
    QVERIFY(words().startsWith("Seen from a turned view; Home turns it back. X: "));
    QVERIFY(words().endsWith(orientationDescription(view.parameters(), view.view())));
    QVERIFY(words() != "Seen from a turned view; Home turns it back. " + standardWords);

    QTest::mouseDClick(&view, Qt::LeftButton, {}, QPoint(100, 100));
    QTRY_COMPARE(shown(), standard);
    QCOMPARE(words(), standardWords);

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down);
    QCOMPARE(view.view().azimuth, StandardView.azimuth - 15);
    QCOMPARE(view.view().elevation, StandardView.elevation + 15);
    QVERIFY(words().startsWith("Seen from a turned view"));
    QTest::keyClick(&view, Qt::Key_Left);
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_Up);
    QCOMPARE(view.view().azimuth, StandardView.azimuth);
    QCOMPARE(view.view().elevation, StandardView.elevation - 15);
    QTest::keyClick(&view, Qt::Key_Home);
    QCOMPARE(view.parameters(), matrix("10 20 30"));
    QCOMPARE(words(), standardWords);
}

// In the window, the picture shows what the six fields hold from the start and follows their
// typing; an action's six writes are read once, and nothing more while nothing changes. While a
// field cannot be read the last picture stays, greyed.
void OrientationTest::pictureFollowsTheFields()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto &view = *window.findChild<OrientationView *>();
    QCOMPARE(view.parameters(), matrix("0 0 0"));
    const auto shows = [&](const QString &line) {
        return std::ranges::equal(view.parameters(), line.simplified().split(' '),
            [](double drawn, const QString &value) {
                return std::abs(drawn - value.toDouble()) <= 5e-7;
            });
    };
    const auto type = [&](const char *field, const QString &keys) {
        auto *edit = window.findChild<QLineEdit *>(field);
        edit->setFocus();
        QTest::keyClicks(edit, keys);
    };
    type("rotXEdit", "30");
    QTRY_VERIFY(shows("1 0 0   0 0.866025 -0.5   0 0.5 0.866025"));
    type("rotYEdit", "°x");
    QTRY_VERIFY(view.isGreyed());
    QVERIFY(shows("1 0 0   0 0.866025 -0.5   0 0.5 0.866025"));
    type("rotYEdit", "\b");
    QTRY_VERIFY(!view.isGreyed());

    const QString line = "0.813798 -0.469846 0.34202   0.543838 0.823173 -0.163176   "
                         "-0.204874 0.318796 0.925417";
    QGuiApplication::clipboard()->setText(line);
    QSignalSpy read(window.findChild<InputWatch *>(), &InputWatch::readable);
    QTest::mouseClick(window.findChild<QPushButton *>("calculateAnglesButton"), Qt::LeftButton);
    QTRY_COMPARE(read.count(), 1);
    QVERIFY(!read.wait(50));
    QVERIFY(shows(line));
}

QTEST_MAIN(OrientationTest)
#include "OrientationTest.moc"
