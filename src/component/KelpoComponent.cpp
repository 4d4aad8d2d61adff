// The editing component: message routing, and the argument checks that keep Scintilla's
// compiled-in assertions from aborting the process.
#include "KelpoComponent.h"

#include <algorithm>

namespace {

constexpr std::uint32_t WmSetRedraw = 11;
constexpr std::uint32_t EmLineIndex = 187;
constexpr int ScnStyleNeeded = 2000;
constexpr std::intptr_t StyleMax = 255;

// Scintilla's Sci_TextRange, as SCI_GETTEXTRANGE and SCI_GETSTYLEDTEXT read it.
struct TextRange {
    long cpMin;
    long cpMax;
    char* text;
};

// Messages whose wParam is a style number: Scintilla sizes its style table by it and throws
// for numbers it cannot allocate.
bool takesStyle(std::uint32_t msg)
{
    using S = QsciScintillaBase;
    switch (msg) {
    case S::SCI_STYLESETFORE:
    case S::SCI_STYLESETBACK:
    case S::SCI_STYLESETBOLD:
    case S::SCI_STYLESETITALIC:
    case S::SCI_STYLESETSIZE:
    case S::SCI_STYLESETFONT:
    case S::SCI_STYLESETEOLFILLED:
    case S::SCI_STYLESETUNDERLINE:
    case S::SCI_STYLESETCASE:
    case S::SCI_STYLESETSIZEFRACTIONAL:
    case S::SCI_STYLEGETSIZEFRACTIONAL:
    case S::SCI_STYLESETWEIGHT:
    case S::SCI_STYLEGETWEIGHT:
    case S::SCI_STYLESETCHARACTERSET:
    case S::SCI_STYLESETVISIBLE:
    case S::SCI_STYLESETCHANGEABLE:
    case S::SCI_STYLESETHOTSPOT:
    case S::SCI_STYLEGETFORE:
    case S::SCI_STYLEGETBACK:
    case S::SCI_STYLEGETBOLD:
    case S::SCI_STYLEGETITALIC:
    case S::SCI_STYLEGETSIZE:
    case S::SCI_STYLEGETFONT:
    case S::SCI_STYLEGETEOLFILLED:
    case S::SCI_STYLEGETUNDERLINE:
    case S::SCI_STYLEGETCASE:
    case S::SCI_STYLEGETCHARACTERSET:
    case S::SCI_STYLEGETVISIBLE:
    case S::SCI_STYLEGETCHANGEABLE:
    case S::SCI_STYLEGETHOTSPOT:
    case S::SCI_TEXTWIDTH: return true;
    default: return false;
    }
}

// Messages whose wParam is a line that Scintilla asserts (or grows a table up to) without a check.
bool takesExistingLine(std::uint32_t msg)
{
    using S = QsciScintillaBase;
    switch (msg) {
    case S::SCI_WRAPCOUNT:
    case S::SCI_TOGGLEFOLDSHOWTEXT:
    case S::SCI_SETLINESTATE:
    case S::SCI_GETLINESTATE:
    case S::SCI_MARGINSETSTYLE:
    case S::SCI_ANNOTATIONSETSTYLE:
    case S::SCI_MARGINSETTEXT:
    case S::SCI_ANNOTATIONSETTEXT:
    case S::SCI_MARGINSETSTYLES:
    case S::SCI_ANNOTATIONSETSTYLES:
    case S::SCI_ADDTABSTOP: return true;
    default: return false;
    }
}

// Messages whose wParam indexes the selections; Scintilla indexes its table without a check.
bool takesSelectionIndex(std::uint32_t msg)
{
    using S = QsciScintillaBase;
    switch (msg) {
    case S::SCI_SETMAINSELECTION:
    case S::SCI_DROPSELECTIONN:
    case S::SCI_SETSELECTIONNCARET:
    case S::SCI_GETSELECTIONNCARET:
    case S::SCI_SETSELECTIONNANCHOR:
    case S::SCI_GETSELECTIONNANCHOR:
    case S::SCI_SETSELECTIONNCARETVIRTUALSPACE:
    case S::SCI_GETSELECTIONNCARETVIRTUALSPACE:
    case S::SCI_SETSELECTIONNANCHORVIRTUALSPACE:
    case S::SCI_GETSELECTIONNANCHORVIRTUALSPACE:
    case S::SCI_SETSELECTIONNSTART:
    case S::SCI_GETSELECTIONNSTART:
    case S::SCI_SETSELECTIONNEND:
    case S::SCI_GETSELECTIONNEND: return true;
    default: return false;
    }
}

}  // namespace

KelpoComponent::KelpoComponent(std::intptr_t handle, QWidget* parent) : QsciScintillaBase(parent), handle_(handle)
{
    // Code page 0 keeps every byte of a document and makes positions byte offsets.
    call(SCI_SETCODEPAGE, 0);
    // Nothing consumes modification events, and QScintilla turns each one into an accessibility
    // event whose offset costs time proportional to the edit's position in the document.
    call(SCI_SETMODEVENTMASK, 0);
    connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, &KelpoComponent::deliverStyleNeeded);
}

KelpoComponent::~KelpoComponent()
{
    // The base destructors still run; nothing may reach this part of the object from there.
    disconnect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, &KelpoComponent::deliverStyleNeeded);
}

std::intptr_t KelpoComponent::send(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    auto w = static_cast<std::intptr_t>(wParam);  // Scintilla reads positions and lines as signed
    if (msg == EmLineIndex) {
        return lineExists(w) ? call(SCI_POSITIONFROMLINE, w) : -1;
    }
    if (msg == WmSetRedraw) {
        setRedraw(w != 0);
        return 0;
    }
    if (takesStyle(msg) && (w < 0 || w > StyleMax)) {
        return 0;
    }
    if (takesExistingLine(msg) && !lineExists(w)) {
        return 0;
    }
    if (takesSelectionIndex(msg) && (w < 0 || w >= call(SCI_GETSELECTIONS))) {
        return 0;
    }
    if (!redraw_) {
        switch (msg) {
        case SCI_SETSEL: selectQuietly(w, lParam); return 0;
        case SCI_GOTOPOS: call(SCI_SETEMPTYSELECTION, clampPosition(w)); return 0;
        case SCI_GOTOLINE:
            // The line count itself stands for the document end, as Scintilla clamps it.
            call(SCI_SETEMPTYSELECTION,
                 call(SCI_POSITIONFROMLINE, std::clamp(w, std::intptr_t{0}, call(SCI_GETLINECOUNT))));
            return 0;
        case SCI_REPLACESEL:
            if (replaceSelectionQuietly(lParam)) {
                return 0;
            }
            break;
        default: break;
        }
    }
    switch (msg) {
    case SCI_STARTSTYLING:
    case SCI_COLOURISE:  // a start before the document would leave the styled end negative
        w = clampPosition(w);
        break;
    case SCI_SETSTYLING:
    case SCI_SETSTYLINGEX: w = styledRunLength(w); break;
    case SCI_INSERTTEXT:
        if (w != -1) {  // -1 inserts at the caret
            w = clampPosition(w);
        }
        break;
    case SCI_DELETERANGE:
        lParam = rangeInDocument(w, lParam);
        w = clampPosition(w);
        break;
    case SCI_GETTEXTRANGE:
    case SCI_GETSTYLEDTEXT: return textRange(msg, lParam);
    case SCI_SEARCHINTARGET:
        if (lParam == 0 && w != 0) {  // no text to read
            return -1;
        }
        break;
    case SCI_REPLACETARGET:
    case SCI_REPLACETARGETRE:
        if (lParam == 0 && w != 0) {
            return 0;
        }
        clampTarget();
        break;
    case SCI_SETSELECTION:
    case SCI_ADDSELECTION:
        w = clampPosition(w);
        lParam = clampPosition(lParam);
        break;
    case SCI_SETSELECTIONNCARET:
    case SCI_SETSELECTIONNANCHOR:
    case SCI_SETSELECTIONNSTART:
    case SCI_SETSELECTIONNEND: lParam = clampPosition(lParam); break;
    case SCI_GETTEXT:  // a negative size would be taken as a huge buffer
    case SCI_ADDSTYLEDTEXT:
        if (w < 0) {
            return 0;
        }
        break;
    case SCI_GETCURLINE:
        if (lParam != 0 && w <= 0) {
            return 0;
        }
        break;
    default: break;
    }
    return call(msg, w, lParam);
}

void KelpoComponent::setCallback(KelpoCallback callback, void* context, KelpoCallback* previous, void** previousContext)
{
    if (previous) {
        *previous = callback_;
    }
    if (previousContext) {
        *previousContext = context_;
    }
    callback_ = callback;
    context_ = callback ? context : nullptr;
}

std::intptr_t KelpoComponent::call(unsigned int msg, std::intptr_t wParam, std::intptr_t lParam) const
{
    return SendScintilla(msg, static_cast<unsigned long>(wParam), static_cast<long>(lParam));
}

std::intptr_t KelpoComponent::length() const { return call(SCI_GETLENGTH); }

std::intptr_t KelpoComponent::clampPosition(std::intptr_t position) const
{
    return std::clamp(position, std::intptr_t{0}, length());
}

bool KelpoComponent::lineExists(std::intptr_t line) const { return line >= 0 && line < call(SCI_GETLINECOUNT); }

std::intptr_t KelpoComponent::rangeInDocument(std::intptr_t start, std::intptr_t count) const
{
    const std::intptr_t end = length();
    const std::intptr_t from = std::clamp(start, std::intptr_t{0}, end);
    if (count <= 0) {
        return 0;
    }
    // Written so that start + count cannot overflow.
    const std::intptr_t to =
        (start >= 0 && count >= end - start) ? end : std::clamp(start + count, std::intptr_t{0}, end);
    return std::max(to - from, std::intptr_t{0});
}

std::intptr_t KelpoComponent::styledRunLength(std::intptr_t requested) const
{
    const std::intptr_t styledEnd = call(SCI_GETENDSTYLED);
    if (styledEnd < 0) {
        return 0;
    }
    return std::clamp(requested, std::intptr_t{0}, std::max(std::intptr_t{0}, length() - styledEnd));
}

std::intptr_t KelpoComponent::textRange(std::uint32_t msg, std::intptr_t lParam) const
{
    if (lParam == 0) {
        return 0;
    }
    // A copy, so the caller's record keeps the range it asked for.
    TextRange range = *reinterpret_cast<const TextRange*>(lParam);
    const long end = static_cast<long>(length());
    range.cpMax = range.cpMax == -1 ? end : std::clamp(range.cpMax, 0L, end);
    range.cpMin = std::clamp(range.cpMin, 0L, range.cpMax);
    return call(msg, 0, reinterpret_cast<std::intptr_t>(&range));
}

void KelpoComponent::clampTarget() const
{
    const std::intptr_t start = call(SCI_GETTARGETSTART);
    const std::intptr_t end = call(SCI_GETTARGETEND);
    const std::intptr_t clampedStart = clampPosition(start);
    const std::intptr_t clampedEnd = clampPosition(end);
    if (clampedStart != start || clampedEnd != end) {
        call(SCI_SETTARGETRANGE, clampedStart, clampedEnd);
    }
}

void KelpoComponent::setRedraw(bool on)
{
    if (on == redraw_) {
        return;
    }
    redraw_ = on;
    setUpdatesEnabled(on);  // back on, the whole view repaints once
    if (on && caretXStale_) {
        call(SCI_CHOOSECARETX);
        caretXStale_ = false;
    }
}

void KelpoComponent::selectQuietly(std::intptr_t anchor, std::intptr_t caret) const
{
    const std::intptr_t end = length();
    const std::intptr_t to = caret < 0 ? end : std::min(caret, end);
    call(SCI_SETEMPTYSELECTION, anchor < 0 ? to : std::min(anchor, end));
    call(SCI_SETCURRENTPOS, to);
}

bool KelpoComponent::replaceSelectionQuietly(std::intptr_t text)
{
    if (text == 0 || call(SCI_GETSELECTIONS) != 1 || call(SCI_SELECTIONISRECTANGLE)) {
        return false;
    }
    // The target is the caller's, so it is put back.
    const std::intptr_t targetStart = call(SCI_GETTARGETSTART);
    const std::intptr_t targetEnd = call(SCI_GETTARGETEND);
    call(SCI_TARGETFROMSELECTION);
    call(SCI_REPLACETARGET, -1, text);
    call(SCI_SETEMPTYSELECTION, call(SCI_GETTARGETEND));
    call(SCI_SETTARGETRANGE, targetStart, targetEnd);
    caretXStale_ = true;
    return true;
}

void KelpoComponent::deliverStyleNeeded(int position)
{
    // Copied first: the callback may replace itself while it runs.
    const KelpoCallback callback = callback_;
    void* const context = context_;
    if (callback) {
        const KelpoNotification notification{handle_, 0, ScnStyleNeeded, position};
        callback(context, &notification);
    }
}
