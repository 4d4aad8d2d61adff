// The two readers of StyleSet.sty on any bytes: the editor's, which applies the file, and the setup
// dialog's, which shows it and writes it back.
#include "FuzzCheck.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "highlight/StyleSetDialogData.h"
#include "highlight/StyleSetFile.h"

namespace {

struct EntrySetting {
    std::int32_t mode = 0;
    std::int32_t colour = 0;
};

// Each entry's last setting in the editor's reading: its messages carry the colour.
std::array<std::optional<EntrySetting>, 27> CheckEditorReading(const StyleSetApplication& applied)
{
    std::array<std::optional<EntrySetting>, 27> last;
    FUZZ_CHECK(applied.messages.size() == 4 * applied.modes.size());
    for (std::size_t i = 0; i < applied.modes.size(); ++i) {
        const StyleModeSetting& setting = applied.modes[i];
        FUZZ_CHECK(setting.entry >= 1 && setting.entry <= 27);
        FUZZ_CHECK(setting.mode >= 0 && setting.mode <= 9);
        const std::int32_t colour = applied.messages[4 * i].lParam;
        const auto expected = StyleEntryMessages(setting.entry, colour);
        FUZZ_CHECK(std::equal(expected.begin(), expected.end(), applied.messages.begin() + 4 * i));
        last[setting.entry - 1] = EntrySetting{setting.mode, colour};
    }
    return last;
}

// The style digit the dialog keeps, as the editor's mode reads it.
std::int32_t ModeOfDigit(const std::string& styleDigit)
{
    return styleDigit.size() == 1 && styleDigit[0] >= '0' && styleDigit[0] <= '9' ? styleDigit[0] - '0' : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const StyleSetApplication applied = ParseStyleSet(bytes);
    const auto editorEntries = CheckEditorReading(applied);
    const StyleSetDialogData dialog = DialogDataFromStyleSet(bytes);

    // Without a STYLE line both readers read every line alike, so they agree on every entry.
    std::string blankFree(bytes);
    std::erase(blankFree, ' ');
    if (blankFree.find("STYLE") == std::string::npos) {
        FUZZ_CHECK(!applied.stylingEnabled.has_value() && dialog.stylingEnabled);
        for (std::size_t k = 0; k < dialog.entries.size(); ++k) {
            const StyleDialogEntry& shown = dialog.entries[k];
            if (!editorEntries[k]) {
                FUZZ_CHECK(shown == StyleDialogEntry{});
                continue;
            }
            FUZZ_CHECK(shown.colour == editorEntries[k]->colour);
            FUZZ_CHECK(ModeOfDigit(shown.styleDigit) == editorEntries[k]->mode);
        }
    }

    // What the dialog saves reads back as what it showed, a missing style digit as "0".
    StyleSetDialogData saved = dialog;
    for (StyleDialogEntry& entry : saved.entries) {
        FUZZ_CHECK(entry.styleDigit.size() <= 1);
        if (entry.styleDigit.empty())
            entry.styleDigit = '0';
    }
    FUZZ_CHECK(DialogDataFromStyleSet(StyleSetTextFromDialog(dialog)) == saved);
    return 0;
}
