#include "app/qt/QtTextRasteriser.h"

#include "app/GlyphFont.h"
#include "format/SkinTextFiles.h"

#include <QFont>
#include <QGuiApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace vk {

namespace {
// The largest pixel size whose whole cell (ascent + descent) fits the height,
// as a positive font height asks for.
QFont fontForCell(const std::string& fontName, int cellHeight) {
    QFont font(QString::fromStdString(fontName));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    // The player's own text drawing kerns no pair.
    font.setKerning(false);
    for (int pixelSize = cellHeight; pixelSize > 1; --pixelSize) {
        font.setPixelSize(pixelSize);
        if (QFontMetrics(font).height() <= cellHeight) break;
    }
    return font;
}
} // namespace

GlyphRun QtTextRasteriser::render(const std::string& text, const std::string& fontName, int cellHeight) {
    // The playlist's own face comes from the one file; a skin's other faces from the system's fonts.
    if (fontName == format::kDefaultPlaylistFont)
        if (TextRasteriser* file = glyphFontRasteriser()) return file->render(text, fontName, cellHeight);
    const QFont font = fontForCell(fontName, cellHeight);
    const QFontMetrics metrics(font);
    const QString line = QString::fromStdString(text);
    GlyphRun run;
    run.width = metrics.horizontalAdvance(line);
    run.height = cellHeight;
    run.ink.assign(std::size_t(run.width) * std::size_t(run.height), 0);
    if (run.width <= 0) return run;

    QImage canvas(run.width, run.height, QImage::Format_Grayscale8);
    canvas.fill(0);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(0, metrics.ascent(), line);
    }
    for (int y = 0; y < run.height; ++y) {
        const uchar* row = canvas.constScanLine(y);
        for (int x = 0; x < run.width; ++x) run.ink[std::size_t(y) * std::size_t(run.width) + std::size_t(x)] = row[x] > 127;
    }
    return run;
}

TextRasteriser* qtTextRasteriser() {
    static QtTextRasteriser rasteriser;
    return &rasteriser;
}

TextRasteriser* qtTextRasteriserIfRunning() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? qtTextRasteriser() : nullptr; }

} // namespace vk
