// Takes a screenshot of the whole X screen, saves it, and counts the pixels of given colours
// in given rectangles, for the end-to-end test.
//
// screencount OUT.png X,Y,W,H,RRGGBB ...
// prints one count per rectangle, one per line, in the order given.

#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QStringList>
#include <cstdio>

namespace {

struct Probe {
    QRect rect;
    QRgb colour = 0;
};

bool ParseProbe(const QString& text, Probe& probe) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 5) return false;
    bool ok[5] = {};
    probe.rect = QRect(parts[0].toInt(&ok[0]), parts[1].toInt(&ok[1]), parts[2].toInt(&ok[2]),
                       parts[3].toInt(&ok[3]));
    probe.colour = parts[4].toUInt(&ok[4], 16) | 0xff000000u;
    return ok[0] && ok[1] && ok[2] && ok[3] && ok[4] && parts[4].size() == 6;
}

int CountColour(const QImage& image, const Probe& probe) {
    int count = 0;
    const QRect inside = probe.rect.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if ((image.pixel(x, y) | 0xff000000u) == probe.colour) ++count;
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: screencount OUT.png X,Y,W,H,RRGGBB ...\n");
        return 2;
    }
    QList<Probe> probes;
    for (qsizetype i = 2; i < args.size(); ++i) {
        Probe probe;
        if (!ParseProbe(args[i], probe)) {
            std::fprintf(stderr, "screencount: bad probe %s\n", qPrintable(args[i]));
            return 2;
        }
        probes.append(probe);
    }

    QScreen* screen = QGuiApplication::primaryScreen();
    const QImage shot = screen ? screen->grabWindow(0).toImage() : QImage();
    if (shot.isNull()) {
        std::fprintf(stderr, "screencount: cannot take a screenshot\n");
        return 1;
    }
    if (!shot.save(args[1], "PNG")) {
        std::fprintf(stderr, "screencount: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    for (const Probe& probe : probes)
        std::printf("%d\n", CountColour(shot, probe));
    return 0;
}
