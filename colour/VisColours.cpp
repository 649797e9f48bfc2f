// The seventeen visualisation colours and the bar that shows and edits them:
// the peak colour in a short cell on top, then the sixteen analyser colours.
#include "colour/ColourTools.h"
#include "raster/Error.h"

#include <string>

namespace vk {

namespace {
constexpr int kPeakEntry = 17;
constexpr int kAnalyserColours = 16;
constexpr int kBarWidth = 20;
constexpr int kCellPitch = 20;
// Rows 10 ... 18 belong to no cell and keep what the bar held before.
constexpr Rect kPeakCell{0, 0, kBarWidth, 10};

// Cell i shares its top outline row with the bottom of cell i - 1.
constexpr Rect analyserCell(int i) { return {0, kCellPitch * i - 1, kBarWidth, kCellPitch * i + kCellPitch}; }
} // namespace

void paintVisBar(SkinDocument& doc) {
    Image& bar = doc.templates.visiBar;
    const SkinState& s = doc.state;
    bar.setPen(kBlack);
    bar.setBrush(s.visColour(kPeakEntry), BrushStyle::Solid);
    bar.rectangle(kPeakCell);
    for (int i = 1; i <= kAnalyserColours; ++i) {
        bar.setBrush(s.visColour(i), BrushStyle::Solid);
        bar.rectangle(analyserCell(i));
    }
}

int visEntryForRow(int row) { return row < kCellPitch ? kPeakEntry : row / kCellPitch; }

void setVisColour(SkinDocument& doc, int entry, TColor colour) {
    if (entry < 1 || entry > kVisColourCount)
        throw Error("Visualisation colour " + std::to_string(entry) + " does not exist (1 to 17)");
    requirePlainRgb(colour);
    doc.state.visColour(entry) = colour;
    paintVisBar(doc);
}

} // namespace vk
