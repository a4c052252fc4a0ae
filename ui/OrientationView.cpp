#include "OrientationView.h"

#include "AccessibleRole.h"
#include "OrientationDescription.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace quorvex {
namespace {

    // Relative luminance and contrast as WCAG reckons them. Lines need a contrast of 3 to their
    // background and text 4.5; the axes' colours serve their labels too.
    double luminance(const QColor &colour)
    {
        const auto linear = [](float c) {
            return c <= 0.03928f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
            + 0.0722 * linear(colour.blueF());
    }
    double contrast(const QColor &a, const QColor &b)
    {
        const auto [dark, light] = std::minmax({ luminance(a), luminance(b) });
        return (light + 0.05) / (dark + 0.05);
    }
    constexpr double TextContrast = 4.5;

    // The field's hue, saturated, as light as it may be on a light background (the pastel darkened
    // until it stands out) and as dark as it may be on a dark one.
    QColor axisColour(const QColor &field, const QColor &background)
    {
        const float step
            = contrast(background, Qt::black) > contrast(background, Qt::white) ? -0.01f : 0.01f;
        for (float lightness = step < 0 ? field.lightnessF() : 0.55f;; lightness += step) {
            const QColor colour
                = QColor::fromHslF(field.hslHueF(), 1, std::clamp(lightness, 0.f, 1.f));
            if (contrast(colour, background) >= TextContrast || lightness <= 0 || lightness >= 1)
                return colour;
        }
    }

    QColor mix(const QColor &a, const QColor &b, double share)
    {
        const auto channel = [share](float x, float y) { return share * x + (1 - share) * y; };
        return QColor::fromRgbF(static_cast<float>(channel(a.redF(), b.redF())),
            static_cast<float>(channel(a.greenF(), b.greenF())),
            static_cast<float>(channel(a.blueF(), b.blueF())));
    }

    // A `share` of the picture's side, and the widget's font at least, where that takes no more
    // than `most` of the side: in a small picture beside a large font, the texts would crowd out
    // what they name.
    QFont scaledFont(const QWidget &widget, double side, double share, double most, bool bold)
    {
        QFont font = widget.font();
        font.setBold(bold);
        const double least = std::min(QFontInfo(font).pixelSize() * 1.0, side * most);
        font.setPixelSize(static_cast<int>(std::max(least, side * share)));
        return font;
    }

    // Where the picture stands in the widget: a square, with a strip at its foot for the legend;
    // the middle of what is drawn at the centre of the rest, and the picture's radius reaching to
    // its edge but for room for the labels.
    struct Frame
    {
        QRectF square;
        QFont labelFont, legendFont;
        QRectF legend;
        QPointF centre;
        ViewPoint middle; // of the picture, drawn at the centre
        double scale = 1; // pixels to a unit length
        double pen = 1; // the width of a thin line, growing with the pane

        QPointF at(const ViewPoint &p) const
        {
            return centre + QPointF(p.x - middle.x, middle.y - p.y) * scale;
        }
    };

    // The legend takes a second line where one is too narrow for it (a large font in a small
    // pane), the picture giving up the room.
    Frame frameOf(const QWidget &widget, const OrientationPicture &picture, const QString &legend)
    {
        Frame frame;
        const double side = std::min(widget.width(), widget.height());
        frame.square
            = QRectF((widget.width() - side) / 2, (widget.height() - side) / 2, side, side);
        frame.labelFont = scaledFont(widget, side, 1 / 22.0, 1 / 16.0, true);
        frame.legendFont = scaledFont(widget, side, 1 / 28.0, 1 / 20.0, false);
        frame.pen = std::max(1.0, side / 300);
        const QFontMetricsF metrics(frame.legendFont);
        const double lines = metrics.horizontalAdvance(legend) > side - 12 * frame.pen ? 2.5 : 1.5;
        const double strip = metrics.height() * lines;
        frame.legend = QRectF(frame.square.left(), frame.square.bottom() - strip, side, strip)
                           .adjusted(6 * frame.pen, 0, -6 * frame.pen, 0);
        const QRectF area(frame.square.topLeft(), QSizeF(side, side - strip));
        frame.centre = area.center();
        frame.middle = picture.centre;
        const double labels = QFontMetricsF(frame.labelFont).height() * 1.6;
        frame.scale
            = std::max(0.0, std::min(area.width(), area.height()) / 2 - labels) / picture.radius;
        return frame;
    }

    struct Colours
    {
        std::array<QColor, 3> axes;
        QColor wire, faint;
    };

    // The unturned axes, faint; the cube, its hidden edges dashed; the arcs with their heads.
    void drawBehind(QPainter &painter, const Frame &frame, const OrientationPicture &picture,
        const Colours &colours)
    {
        painter.setPen(QPen(colours.faint, frame.pen));
        for (const auto &tip : picture.unturnedAxes)
            painter.drawLine(frame.at({}), frame.at(tip));
        for (std::size_t i = 0; i < CubeEdges.size(); ++i) {
            painter.setPen(QPen(
                colours.wire, frame.pen, picture.hiddenEdges[i] ? Qt::DashLine : Qt::SolidLine));
            painter.drawLine(frame.at(picture.cube[CubeEdges[i].first]),
                frame.at(picture.cube[CubeEdges[i].second]));
        }
        for (std::size_t i = 0; i < picture.arcs.size(); ++i) {
            QPolygonF line, head;
            for (const auto &point : picture.arcs[i].line)
                line << frame.at(point);
            for (const auto &point : picture.arcs[i].head)
                head << frame.at(point);
            painter.setPen(QPen(colours.axes[i], 1.5 * frame.pen, Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(line);
            painter.setBrush(colours.axes[i]);
            painter.drawPolygon(head);
        }
    }

    // The turned axes, the farthest first, so that a nearer one crosses it; each ends in an arrow
    // head, or in a dot where it points (almost) straight at the viewer or away.
    void drawAxes(QPainter &painter, const Frame &frame, const OrientationPicture &picture,
        const Colours &colours)
    {
        std::array<std::size_t, 3> order { 0, 1, 2 };
        std::sort(order.begin(), order.end(),
            [&](auto a, auto b) { return picture.axes[a].z < picture.axes[b].z; });
        const double headLength = 10 * frame.pen, headWidth = 4 * frame.pen;
        for (const auto i : order) {
            const QPointF tip = frame.at(picture.axes[i]), along = tip - frame.at({});
            const double drawn = std::hypot(along.x(), along.y());
            painter.setPen(QPen(colours.axes[i], 2.5 * frame.pen, Qt::SolidLine, Qt::RoundCap));
            painter.setBrush(colours.axes[i]);
            if (drawn < headLength) {
                painter.drawEllipse(tip, 2 * frame.pen, 2 * frame.pen);
                continue;
            }
            const QPointF forward = along / drawn, side(-forward.y(), forward.x());
            const QPointF base = tip - forward * headLength;
            painter.drawLine(frame.at({}), base);
            painter.setPen(QPen(colours.axes[i], frame.pen));
            painter.drawPolygon(
                QPolygonF { tip, base + side * headWidth, base - side * headWidth });
        }
    }

    // Names beyond the tips, never so near the origin that the names of short axes meet; an
    // unturned axis' name only where no turned one covers it.
    void drawNames(QPainter &painter, const Frame &frame, const OrientationPicture &picture,
        const Colours &colours)
    {
        const double height = QFontMetricsF(frame.labelFont).height();
        const QPointF origin = frame.at({});
        const auto nameAt = [&](const ViewPoint &tip) {
            const QPointF along = frame.at(tip) - origin;
            const double drawn = std::hypot(along.x(), along.y());
            const QPointF away = drawn > 1 ? along / drawn : QPointF(0.7, -0.7);
            return origin + away * std::max(drawn + 0.8 * height, 1.8 * height);
        };
        const auto draw = [&](const QPointF &at, const QString &name) {
            painter.drawText(QRectF(at.x() - height, at.y() - height / 2, 2 * height, height),
                Qt::AlignCenter, name);
        };
        std::array<QPointF, 3> turned;
        painter.setFont(frame.labelFont);
        for (std::size_t i = 0; i < 3; ++i) {
            turned[i] = nameAt(picture.axes[i]);
            painter.setPen(colours.axes[i]);
            draw(turned[i], QString(QLatin1Char("XYZ"[i])));
        }
        painter.setFont(frame.legendFont);
        painter.setPen(colours.wire);
        for (std::size_t i = 0; i < 3; ++i) {
            const QPointF at = nameAt(picture.unturnedAxes[i]);
            if (std::none_of(turned.begin(), turned.end(),
                    [&](const QPointF &other) { return QLineF(at, other).length() < height; }))
                draw(at, QString(QLatin1Char("XYZ"[i])));
        }
    }

} // namespace

OrientationView::OrientationView(QWidget *parent)
    : QWidget(parent)
{
    // An image, to screen readers, described by where its axes point.
    installAccessibleRoles();
    setProperty("accessibleRole", "Graphic");
    setAccessibleName(tr("Orientation"));
    // Tab and a click give it the keys that turn the view.
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::OpenHandCursor);
    describe();
}

void OrientationView::setParameters(const Parameters &parameters)
{
    m_parameters = parameters;
    m_greyed = false;
    describe();
    update();
}

void OrientationView::setFieldColours(const std::array<QColor, 3> &colours)
{
    m_fieldColours = colours;
    update();
}

void OrientationView::setGreyed(bool greyed)
{
    if (greyed == m_greyed)
        return;
    m_greyed = greyed;
    describe();
    update();
}

void OrientationView::resetView()
{
    setView(StandardView);
}

void OrientationView::setView(View view)
{
    m_view = view;
    // A drag is described where it ends, not at every step.
    if (!m_dragFrom)
        describe();
    update();
}

bool OrientationView::isStandard() const
{
    return m_view.azimuth == StandardView.azimuth && m_view.elevation == StandardView.elevation;
}

QPointF OrientationView::position(const ViewPoint &point) const
{
    return frameOf(*this, orientationPicture(m_parameters, m_view), legend()).at(point);
}

void OrientationView::paintEvent(QPaintEvent *)
{
    const OrientationPicture picture = orientationPicture(m_parameters, m_view);
    const Frame frame = frameOf(*this, picture, legend());
    const QColor background = palette().color(QPalette::Base),
                 ink = palette().color(QPalette::Text);
    Colours colours { {}, mix(ink, background, m_greyed ? 0.3 : 0.55),
        mix(ink, background, m_greyed ? 0.2 : 0.3) };
    for (std::size_t i = 0; i < colours.axes.size(); ++i)
        colours.axes[i]
            = m_greyed ? mix(ink, background, 0.45) : axisColour(m_fieldColours[i], background);

    // The square alone: around it, where the pane is longer than high, is the window's own.
    QPainter painter(this);
    painter.fillRect(frame.square, background);
    // The frame lies on whole pixels and needs no smoothing, which cost 190,000 of the 3.5 million
    // instructions of the picture's first paint (callgrind). With the focus, which gives the view
    // the keys, it stands out in the colour of a selection.
    const int frameWidth = hasFocus() ? 2 : 1;
    painter.setPen(
        QPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Mid), frameWidth));
    painter.drawRect(frame.square.toRect().adjusted(
        frameWidth / 2, frameWidth / 2, -1 - frameWidth / 2, -1 - frameWidth / 2));
    painter.setRenderHint(QPainter::Antialiasing);
    drawBehind(painter, frame, picture, colours);
    drawAxes(painter, frame, picture, colours);
    drawNames(painter, frame, picture, colours);

    painter.setPen(ink);
    painter.setFont(frame.legendFont);
    painter.drawText(frame.legend, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, legend());
}

QString OrientationView::legend() const
{
    return isStandard() ? tr("View: Z up, X right, Y left, both away")
                        : tr("View turned; Home or a double click turns it back");
}

void OrientationView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_dragFrom = event->position();
    m_dragView = m_view;
    setCursor(Qt::ClosedHandCursor);
}

void OrientationView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragFrom)
        return QWidget::mouseMoveEvent(event);
    // The object follows the hand: a drag to the right brings its right side into view from the
    // front, a drag down its top; a drag across the pane turns the view half around.
    const QPointF moved = event->position() - *m_dragFrom;
    const double perPixel = 180.0 / std::max(1, std::min(width(), height()));
    setView({ std::remainder(m_dragView.azimuth - moved.x() * perPixel, 360),
        std::clamp(m_dragView.elevation + moved.y() * perPixel, -90.0, 90.0) });
}

void OrientationView::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_dragFrom)
        return QWidget::mouseReleaseEvent(event);
    m_dragFrom.reset();
    setCursor(Qt::OpenHandCursor);
    describe();
}

void OrientationView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    resetView();
}

void OrientationView::keyPressEvent(QKeyEvent *event)
{
    // As a drag turns it, a step at a time: Right as a drag to the right, Down as a drag down.
    constexpr double Step = 15;
    View view = m_view;
    switch (event->key()) {
    case Qt::Key_Left:
        view.azimuth += Step;
        break;
    case Qt::Key_Right:
        view.azimuth -= Step;
        break;
    case Qt::Key_Up:
        view.elevation -= Step;
        break;
    case Qt::Key_Down:
        view.elevation += Step;
        break;
    case Qt::Key_Home:
        view = StandardView;
        break;
    default:
        return QWidget::keyPressEvent(event);
    }
    setView({ std::remainder(view.azimuth, 360), std::clamp(view.elevation, -90.0, 90.0) });
}

void OrientationView::describe()
{
    QString description = orientationDescription(m_parameters, m_view);
    if (!isStandard())
        description.prepend(tr("Seen from a turned view; Home turns it back. "));
    if (m_greyed) {
        description.prepend(tr("Greyed: a field cannot be read, so this is the picture of the "
                               "last values that could. "));
    }
    // Which tells screen readers of the change, as an event of its own.
    setAccessibleDescription(description);
}

} // namespace quorvex
