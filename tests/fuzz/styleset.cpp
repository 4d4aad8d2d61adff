// The two readers of StyleSet.sty on any bytes: the editor's, which applies the file, and the setup
// dialog's, which shows it and writes it back.
#include "FuzzCheck.h"

#include "styling/StyleSetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Every setting the editor applies names an entry and a style digit.
    for (const StyleModeSetting& setting : ParseStyleSet(bytes).modes)
        FUZZ_CHECK(setting.entry >= 1 && setting.entry <= 27 && setting.mode >= 0 && setting.mode <= 9);
    // What the dialog saves reads back as what it showed, a missing style digit as "0".
    const StyleSetDialogData dialog = DialogDataFromStyleSet(bytes);
    StyleSetDialogData saved = dialog;
    for (StyleDialogEntry& entry : saved.entries)
        if (entry.styleDigit.empty())
            entry.styleDigit = '0';
    FUZZ_CHECK(DialogDataFromStyleSet(StyleSetTextFromDialog(dialog)) == saved);
    return 0;
}
