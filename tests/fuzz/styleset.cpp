// The two readers of StyleSet.sty on any bytes: the editor's, which applies the file, and the setup
// dialog's, which shows it and writes it back.
#include "FuzzCheck.h"

#include <string>
#include <string_view>

#include "highlight/StyleSetDialogData.h"
#include "highlight/StyleSetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const StyleSetApplication applied = ParseStyleSet(bytes);
    const StyleSetDialogData dialog = DialogDataFromStyleSet(bytes);
    FUZZ_CHECK(applied.messages.size() == 4 * applied.modes.size());

    // Without a STYLE line both readers read every line alike, so they agree on each entry's last
    // setting: the same colour, and the dialog's digit as the editor's mode.
    std::string blankFree(bytes);
    std::erase(blankFree, ' ');
    const bool styleLine = blankFree.find("STYLE") != std::string::npos;
    FUZZ_CHECK(styleLine || (!applied.stylingEnabled && dialog.stylingEnabled));
    StyleSetDialogData expected;
    for (std::size_t i = 0; i < applied.modes.size(); ++i) {
        const StyleModeSetting& setting = applied.modes[i];
        FUZZ_CHECK(setting.entry >= 1 && setting.entry <= 27 && setting.mode >= 0 && setting.mode <= 9);
        expected.entries[setting.entry - 1u] = {applied.messages[4 * i].lParam, {char('0' + setting.mode)}};
    }
    StyleSetDialogData shown = dialog;
    for (StyleDialogEntry& entry : shown.entries)
        if (entry.styleDigit.size() != 1 || entry.styleDigit[0] < '0' || entry.styleDigit[0] > '9')
            entry.styleDigit = '0';
    FUZZ_CHECK(styleLine || shown.entries == expected.entries);

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
