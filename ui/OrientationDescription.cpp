#include "OrientationDescription.h"

#include "OrientationGeometry.h"
#include "OrientationView.h"

#include <QLocale>
#include <QStringList>

namespace quorvex {
namespace {

    // Where a direction points as the viewer sees it: "right, a little down, toward you".
    QString directionWords(const ViewPoint &direction)
    {
        const double size = length(direction);
        if (size == 0)
            return OrientationView::tr("nowhere, since it has no length");
        // Sideways, upright and in depth, each said if it is more than a slight lean (a component
        // of 0.15, 8.6°), and "a little" up to 0.4 (23.6°).
        const struct
        {
            double part;
            QString positive, negative;
        } parts[] { { direction.x, OrientationView::tr("right"), OrientationView::tr("left") },
            { direction.y, OrientationView::tr("up"), OrientationView::tr("down") },
            { direction.z, OrientationView::tr("toward you"),
                OrientationView::tr("away from you") } };
        QStringList words;
        for (const auto &[part, positive, negative] : parts) {
            const double share = part / size;
            if (std::abs(share) < 0.15)
                continue;
            const QString &word = share > 0 ? positive : negative;
            words << (std::abs(share) < 0.4 ? OrientationView::tr("a little %1").arg(word) : word);
        }
        return words.join(QStringLiteral(", "));
    }

} // namespace

QString orientationDescription(const Parameters &parameters, View view)
{
    const OrientationPicture picture = orientationPicture(parameters, view);
    QStringList sentences;
    for (std::size_t i = 0; i < 3; ++i) {
        QString sentence
            = QLatin1Char("XYZ"[i]) + QStringLiteral(": ") + directionWords(picture.axes[i]);
        const QString scale = QLocale().toString(length(picture.axes[i]) / AxisLength, 'g', 3);
        if (scale != QLatin1String("1") && scale != QLatin1String("0"))
            sentence += OrientationView::tr(", %1 long").arg(scale);
        sentences << sentence + QLatin1Char('.');
    }
    // The turned axes, seen from any side, stand left-handed.
    if (dot(cross(picture.axes[0], picture.axes[1]), picture.axes[2]) < 0)
        sentences << OrientationView::tr("A mirror image.");
    return sentences.join(QLatin1Char(' '));
}

} // namespace quorvex
