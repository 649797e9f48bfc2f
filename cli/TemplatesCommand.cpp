// `templates`: writes the embedded template set back out, and draws a
// labelled contact sheet of it for a person to look at.
#include "cli/Commands.h"
#include "cli/Outputs.h"
#include "cli/Report.h"
#include "cli/SkinRecipe.h"
#include "output/SkinWriter.h"
#include "raster/Error.h"
#include "templates/TemplateSet.h"

#include <QFont>
#include <QFontMetrics>
#include "app/QtImage.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace vk::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kScale = 4;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
constexpr int kSheetWidth = 2200;

void writeTemplateFiles(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) throw Error("Cannot create directory \"" + dir.string() + "\"");
    int written = 0;
    for (const EmbeddedFile& file : embeddedTemplateFiles()) {
        const fs::path path = dir / (std::string(file.name) + ".bmp");
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data), std::streamsize(file.size));
        out.close();
        if (!out) {
            if (fs::is_regular_file(path, ec)) fs::remove(path, ec);  // a truncated template is worse than none
            throw Error("Cannot write \"" + path.string() + "\"");
        }
        ++written;
    }
    result("wrote " + std::to_string(written) + " template images to " + dir.string());
}

// One labelled tile of the sheet.
struct Tile {
    QString label;
    QImage picture;  // already enlarged
    int width = 0, height = 0;
    int x = 0, y = 0;
};

// Places each tile at the lowest free spot of a skyline, tallest first, so
// the long volume and balance sheets do not leave a hole beside them.
int packTiles(std::vector<Tile*>& tiles, int sheetWidth) {
    std::stable_sort(tiles.begin(), tiles.end(), [](const Tile* a, const Tile* b) { return a->height > b->height; });
    std::vector<int> skyline(std::size_t(sheetWidth), 0);
    int sheetHeight = 0;
    for (Tile* tile : tiles) {
        int bestX = 0, bestY = -1;
        for (int x = 0; x + tile->width <= sheetWidth; x += 4) {
            const int y = *std::max_element(skyline.begin() + x, skyline.begin() + x + tile->width);
            if (bestY < 0 || y < bestY) {
                bestX = x;
                bestY = y;
            }
        }
        tile->x = bestX;
        tile->y = bestY;
        std::fill(skyline.begin() + bestX, skyline.begin() + bestX + tile->width, bestY + tile->height);
        sheetHeight = std::max(sheetHeight, bestY + tile->height);
    }
    return sheetHeight;
}

void writeContactSheet(const fs::path& file) {
    const TemplateSet set = TemplateSet::embedded();
    QFont font;
    font.setPixelSize(12);
    const QFontMetrics metrics(font);

    std::vector<Tile> tiles;
    int widest = 0;
    for (const TemplateSpec& spec : templateCatalogue()) {
        const Image& image = set.*spec.member;
        Tile tile;
        tile.label = QString("%1  %2 x %3").arg(spec.name).arg(image.width()).arg(image.height());
        tile.picture = toQImage(image).scaled(image.width() * kScale, image.height() * kScale, Qt::IgnoreAspectRatio,
                                              Qt::FastTransformation);
        tile.width = std::max(tile.picture.width(), metrics.horizontalAdvance(tile.label)) + 2 + kMargin;
        tile.height = kLabelHeight + tile.picture.height() + 2 + kMargin;
        widest = std::max(widest, tile.width);
        tiles.push_back(std::move(tile));
    }
    std::vector<Tile*> order;
    for (Tile& tile : tiles) order.push_back(&tile);
    const int width = std::max(kSheetWidth, widest) + kMargin;
    const int height = packTiles(order, width - kMargin) + kMargin;

    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 48));
    {
        QPainter painter(&sheet);
        painter.setFont(font);
        for (const Tile& tile : tiles) {
            const int x = kMargin + tile.x, y = kMargin + tile.y;
            painter.setPen(QColor(230, 230, 230));
            painter.drawText(QRect(x, y, tile.width, kLabelHeight), Qt::AlignLeft | Qt::AlignVCenter, tile.label);
            // A thin grey frame shows where each image ends.
            painter.setPen(QColor(128, 128, 128));
            painter.drawRect(x, y + kLabelHeight, tile.picture.width() + 1, tile.picture.height() + 1);
            painter.drawImage(x + 1, y + kLabelHeight + 1, tile.picture);
        }
    }
    try {
        writeBinaryFile(file, encodeImage(sheet, imageFormatFor(file, "--contact-sheet"), file));
    } catch (const Error&) {
        throw Error("Cannot write \"" + file.string() + "\"");
    }
    result("wrote the contact sheet to " + file.string());
}

} // namespace

int runTemplates(const std::vector<std::string>& args) {
    std::string outDir, contactSheet;
    ArgReader reader(args);
    while (reader.nextOption()) {
        const std::string name = reader.option();
        if (name == "--out") reader.valueOnce(outDir);
        else if (name == "--contact-sheet") reader.valueOnce(contactSheet);
        else if (!readReportOption(reader)) throw UsageError{"unknown option '" + name + "'"};
    }
    if (outDir.empty() && contactSheet.empty())
        throw UsageError{"templates needs --out DIR, --contact-sheet FILE.png or both"};
    if (!contactSheet.empty()) imageFormatFor(contactSheet, "--contact-sheet");
    if (!outDir.empty()) writeTemplateFiles(outDir);
    if (!contactSheet.empty()) writeContactSheet(contactSheet);
    return 0;
}

} // namespace vk::cli
