#include "Windows.h"

#include "Art.h"
#include "Templates.h"

#include "raster/Primitives.h"

namespace vk::gen {

namespace {

constexpr bool kShade = false;  // the templates are drawn with full 3D shading

Image mainShade() {
    Image w = firstImage();
    // The title buttons' glyphs: boxes for the menu and close buttons, a bar
    // at the bottom of minimise and at the top of shade.
    raiseFrame(w, kShade, 6, 3, 15, 12);
    raiseFrame(w, kShade, 264, 3, 273, 12);
    raiseFrame(w, kShade, 254, 3, 263, 6);
    raiseFrame(w, kShade, 244, 9, 253, 12);
    return w;
}

Image mainPlain(const Image& shade) {
    Image w = shade;
    raiseFrame(w, kShade, 0, 0, 275, 116);
    // Display panel, song title strip, kbps and kHz boxes, volume and
    // balance grooves, then the displays filled in the window background.
    for (const Rect& well : {Rect{23, 24, 101, 60}, Rect{110, 26, 267, 34}, Rect{110, 42, 127, 50},
                             Rect{155, 42, 167, 50}, Rect{107, 62, 171, 64}, Rect{177, 62, 214, 64}})
        sinkFrame(w, kShade, well);
    for (const Rect& display : {Rect{24, 25, 100, 59}, Rect{111, 27, 266, 33}, Rect{111, 43, 126, 49},
                                Rect{156, 43, 166, 49}})
        fillRect(w, display, kBlack);
    put(w, 111, 27, inDefaultColours(vKitMask()));
    return w;
}

Image mainFinished(const Image& plain) {
    Image w = plain;
    embossStamp(w, kShade, 10, 22, choices(0));
    embossStamp(w, kShade, 210, 89, repUpBut());
    embossStamp(w, kShade, 164, 89, shuffleUpBut());
    embossStamp(w, kShade, 219, 58, eqUpBut());
    embossStamp(w, kShade, 242, 58, plUpBut());
    embossStamp(w, kShade, 16, 88, buts());
    put(w, 133, 58, volBut());
    put(w, 189, 58, volBut());
    return w;
}

Image eqShade() {
    Image w = firstImage();
    raiseFrame(w, kShade, 264, 3, 273, 12);  // close
    raiseFrame(w, kShade, 254, 3, 263, 6);   // shade: a bar at its top
    return w;
}

Image eqPlain(const Image& shade) {
    Image w = shade;
    raiseFrame(w, kShade, 0, 0, 275, 116);
    sinkFrame(w, kShade, 20, 37, 36, 102);  // preamplifier well
    for (int i = 0; i < 10; ++i) sinkFrame(w, kShade, 77 + 18 * i, 37, 93 + 18 * i, 102);
    put(w, 86, 17, graphBackground());
    return w;
}

Image eqFinished(const Image& plain) {
    Image w = plain;
    const Image slider = exampleSlider();
    put(w, 21, 38, slider);
    for (int i = 0; i < 10; ++i) put(w, 78 + 18 * i, 38, slider);
    embossStamp(w, kShade, 14, 18, offManUp());
    embossStamp(w, kShade, 217, 18, presetUp());
    return w;
}

Image plShade() {
    Image w = firstImage();
    raiseFrame(w, kShade, 264, 3, 273, 12);  // close
    raiseFrame(w, kShade, 255, 3, 264, 6);   // shade: a bar at its top
    return w;
}

Image plPlain(const Image& shade) {
    Image w = shade;
    raiseFrame(w, kShade, 0, 0, 275, 116);
    sinkFrame(w, kShade, 11, 19, 256, 79);  // the list
    fillRect(w, {12, 20, 255, 78}, kBlack);
    return w;
}

Image plFinished(const Image& plain) {
    Image w = plain;
    embossStamp(w, kShade, 15, 91, plButs1());
    embossStamp(w, kShade, 232, 87, plButs2());
    // Running time and mini time displays, the resize grip, the small
    // transport buttons, and the scroll bar's groove with its knob.
    sinkFrame(w, kShade, 129, 85, 223, 97);
    sinkFrame(w, kShade, 129, 99, 223, 111);
    fillRect(w, {130, 86, 222, 96}, kBlack);
    fillRect(w, {130, 100, 222, 110}, kBlack);
    embossStamp(w, kShade, 256, 97, cornerPull());
    put(w, 130, 100, inDefaultColours(plToolsMask()));
    sinkFrame(w, kShade, 263, 19, 265, 79);
    Image knob(8, 18, 24);
    drawKnob(knob, knob.bounds(), Relief::Raised);
    put(w, 260, 20, knob);
    return w;
}

DefaultWindows makeWindows() {
    DefaultWindows w;
    w.mainShade = mainShade();
    w.mainPlain = mainPlain(w.mainShade);
    w.main = mainFinished(w.mainPlain);
    w.eqShade = eqShade();
    w.eqPlain = eqPlain(w.eqShade);
    w.eq = eqFinished(w.eqPlain);
    w.plShade = plShade();
    w.plPlain = plPlain(w.plShade);
    w.pl = plFinished(w.plPlain);
    return w;
}

} // namespace

const DefaultWindows& defaultWindows() {
    static const DefaultWindows windows = makeWindows();
    return windows;
}

Image graphBackground() {
    // Black, with dotted lines at the top, the zero line and the bottom.
    Image graph(113, 19, 24);
    fillRect(graph, graph.bounds(), kBlack);
    for (int y : {0, 9, 18})
        for (int x = 0; x < 113; x += 2) graph.setPixel(x, y, rgb(64, 64, 64));
    return graph;
}

TColor levelColour(int level, int top) {
    // The sixteen default analyser colours, loudest first.
    static constexpr TColor kAnalyser[16] = {
        rgb(239, 49, 16), rgb(206, 41, 16), rgb(214, 90, 0),  rgb(214, 102, 0), rgb(214, 115, 0), rgb(198, 123, 8),
        rgb(222, 165, 24), rgb(214, 181, 33), rgb(189, 222, 41), rgb(148, 222, 33), rgb(41, 206, 16), rgb(50, 190, 16),
        rgb(57, 181, 16), rgb(49, 156, 8),  rgb(41, 148, 0),  rgb(24, 132, 8),
    };
    return kAnalyser[15 - level * 15 / top];
}

} // namespace vk::gen
