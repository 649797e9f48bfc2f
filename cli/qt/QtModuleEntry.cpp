// The command line's Qt module: loaded as a module by vellumkit-cli when a
// command first needs Qt, and linked straight into the fuzzers.
#include "app/qt/PictureIntake.h"
#include "app/qt/PictureStructure.h"
#include "app/qt/QtImage.h"
#include "app/qt/QtTextRasteriser.h"
#include "cli/QtModule.h"
#include "app/qt/HeifPicture.h"

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <clocale>

#include <unistd.h>

namespace vk::cli {

namespace {

constexpr int kMargin = 12;
constexpr int kLabelHeight = 16;
constexpr int kSheetWidth = 2200;

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

std::vector<std::uint8_t> encoded(const QImage& image, const std::string& format, std::string& why) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QByteArray::fromStdString(format));
    if (!writer.write(image)) {
        why = writer.errorString().toStdString();
        return {};
    }
    return {bytes.begin(), bytes.end()};
}

class QtAdapters final : public QtModule {
public:
    Image loadPicture(const std::string& path, const PictureOptions& options) override {
        return loadPictureFileNotPlainBmp(path, options);
    }

    bool readsPicture(const std::string& path, std::string& whyNot) override {
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::ReadOnly)) {
            whyNot = "cannot be read (" + file.errorString().toStdString() + ")";
            return false;
        }
        if (!isRefusedAnimation(file.peek(4)) && QImageReader(&file).canRead()) return true;
        if (isHeifPicture(file.peek(12)) && !heifFormats().empty()) return true;
        whyNot = "not a picture this installation reads (vellumkit-cli formats lists them)";
        return false;
    }

    std::int64_t headerPixels(int fd) override {
        QFile file;
        if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            return 0;
        }
        // Asking libmng for the size would already cost its buffers.
        if (isRefusedAnimation(file.peek(4))) return 0;
        const QSize size = QImageReader(&file).size();
        return size.isValid() ? std::int64_t(size.width()) * size.height() : 0;
    }

    std::vector<std::string> formats(bool write) override {
        if (!write) return pictureFormats();
        std::vector<std::string> names;
        for (const QByteArray& format : QImageWriter::supportedImageFormats()) names.push_back(format.toStdString());
        return names;
    }

    std::vector<std::uint8_t> encode(const Image& image, const std::string& format, std::string& why) override {
        return encoded(toQImage(image), format, why);
    }

    std::optional<TColor> namedColour(const std::string& name) override {
        const QColor named = QColor::fromString(QString::fromStdString(name));
        if (!named.isValid() || named.alpha() != 255) return std::nullopt;
        return vk::rgb(named.red(), named.green(), named.blue());
    }

    TextRasteriser* startGlyphs(int& argc, char** argv) override {
        if (!app_) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
            if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
                // Qt warns on every start without one; a private folder of our own quiets it.
                const QByteArray dir = QDir::tempPath().toUtf8() + "/vellumkit-runtime-" + QByteArray::number(getuid());
                QDir().mkpath(QString::fromUtf8(dir));
                QFile::setPermissions(QString::fromUtf8(dir), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
                qputenv("XDG_RUNTIME_DIR", dir);
            }
            // Kept to the end of the process: the rasteriser's fonts live with it.
            app_ = new QGuiApplication(argc, argv);
            // The application adopts the user's locale; numbers we print stay as C prints them.
            std::setlocale(LC_NUMERIC, "C");
        }
        return qtTextRasteriser();
    }

    TextRasteriser* glyphs() override { return qtTextRasteriserIfRunning(); }

    std::vector<std::uint8_t> contactSheet(const std::vector<SheetTile>& labelled, int scale, const std::string& format,
                                           std::string& why) override {
        QFont font;
        font.setPixelSize(12);
        const QFontMetrics metrics(font);
        std::vector<Tile> tiles;
        int widest = 0;
        for (const SheetTile& each : labelled) {
            const Image& image = *each.picture;
            Tile tile;
            tile.label = QString::fromStdString(each.label);
            tile.picture = toQImage(image).scaled(image.width() * scale, image.height() * scale, Qt::IgnoreAspectRatio,
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
        return encoded(sheet, format, why);
    }

private:
    QGuiApplication* app_ = nullptr;
};

} // namespace

} // namespace vk::cli

extern "C" __attribute__((visibility("default"))) vk::cli::QtModule* vellumkitQtModule() {
    static vk::cli::QtAdapters adapters;
    return &adapters;
}
