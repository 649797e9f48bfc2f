// The catalogue of template images: name (also the file name), size and the
// depth each is stored at. Kept apart from the embedded data so that the
// generator that draws templates/*.bmp can use it too.
#include "templates/TemplateSet.h"

namespace vk {

const std::vector<TemplateSpec>& templateCatalogue() {
    using T = TemplateSet;
    static const std::vector<TemplateSpec> catalogue = {
        {"titleBarImage", 344, 87, 24, &T::titleBarImage},
        {"volumeWindow", 68, 433, 24, &T::volumeWindow},
        {"balanceWindow", 47, 433, 24, &T::balanceWindow},
        {"posBar", 307, 10, 32, &T::posBar},
        {"monoSter", 58, 24, 32, &T::monoSter},
        {"shufrep", 92, 85, 32, &T::shufrep},
        {"cButtons", 136, 36, 32, &T::cButtons},
        {"eqMain", 275, 315, 24, &T::eqMain},
        {"plEdit", 280, 186, 24, &T::plEdit},
        {"eqEx", 275, 56, 24, &T::eqEx},
        {"playPaus", 42, 9, 24, &T::playPaus},
        {"playPausMask", 42, 9, 24, &T::playPausMask},
        {"text", 155, 18, 24, &T::text},
        {"textMask", 155, 18, 24, &T::textMask},
        {"nums_ex", 108, 13, 24, &T::nums_ex},
        {"nums_exMask", 108, 13, 24, &T::nums_exMask},
        {"plTools", 83, 8, 24, &T::plTools},
        {"plToolsMask", 83, 8, 24, &T::plToolsMask},
        {"topBit", 26, 7, 24, &T::topBit},
        {"topBitMask", 26, 7, 24, &T::topBitMask},
        {"vKit", 155, 6, 24, &T::vKit},
        {"vKitMask", 155, 6, 24, &T::vKitMask},
        {"buts", 142, 17, 24, &T::buts},
        {"downButs", 114, 17, 24, &T::downButs},
        {"loadDown", 22, 15, 24, &T::loadDown},
        {"shuffleUpBut", 41, 12, 24, &T::shuffleUpBut},
        {"shuffleDown", 41, 12, 24, &T::shuffleDown},
        {"repUpBut", 20, 11, 24, &T::repUpBut},
        {"repDown", 20, 11, 24, &T::repDown},
        {"eqUpBut", 16, 10, 24, &T::eqUpBut},
        {"eqButDown", 16, 10, 24, &T::eqButDown},
        {"plUpBut", 14, 9, 24, &T::plUpBut},
        {"plButDown", 14, 9, 24, &T::plButDown},
        {"choices0", 8, 43, 24, &T::choices0},
        {"choices1", 8, 43, 24, &T::choices1},
        {"choices2", 8, 43, 24, &T::choices2},
        {"choices3", 8, 43, 24, &T::choices3},
        {"choices4", 8, 43, 24, &T::choices4},
        {"choices5", 8, 43, 24, &T::choices5},
        {"presetUp", 40, 10, 24, &T::presetUp},
        {"presetDown", 40, 10, 24, &T::presetDown},
        {"offManUp", 58, 12, 24, &T::offManUp},
        {"offManDown", 58, 12, 24, &T::offManDown},
        {"onAutoUp", 58, 12, 24, &T::onAutoUp},
        {"onAutoDown", 58, 12, 24, &T::onAutoDown},
        {"puller", 8, 9, 24, &T::puller},
        {"cornerPull", 13, 13, 24, &T::cornerPull},
        {"plButs1", 104, 8, 24, &T::plButs1},
        {"plButs2", 17, 13, 24, &T::plButs2},
        {"volBut", 14, 11, 24, &T::volBut},
        {"exampleSlider", 14, 63, 24, &T::exampleSlider},
        {"firstImage", 275, 116, 24, &T::firstImage},
        {"visiBar", 20, 340, 24, &T::visiBar},
    };
    return catalogue;
}

} // namespace vk
