// A stand-in for the component module that logs every message, so tests can check what the
// editor sends and in which order, and can raise notifications at will.
#include <QWidget>

#include <algorithm>
#include <string>

#include "FakeKelpo.h"
#include "component/KelpoApi.h"
#include "editor/SciMessages.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
std::vector<FakeMessage> messages;
#ifndef FAKE_CREATE_RESULT
#define FAKE_CREATE_RESULT 300
#endif
std::intptr_t createResult = FAKE_CREATE_RESULT;
std::int32_t endStyled = 0;
bool nestOnEndStyled = false;
std::string line0;  // the one line of the stand-in's document, for the line messages
KelpoCallback callback = nullptr;
void* callbackContext = nullptr;
}  // namespace

FAKE_EXPORT std::intptr_t KelpoCreate(void* parent)
{
    if (createResult >= 32) {
        auto* widget = new QWidget(static_cast<QWidget*>(parent));
        widget->setObjectName(QStringLiteral("EditorDll"));
        widget->setGeometry(0, 0, 1000, 1000);
        widget->show();
    }
    return createResult;
}

FAKE_EXPORT void FakeNotify(std::int32_t code, std::int32_t position)
{
    const KelpoNotification record{createResult, 0, code, position};
    if (callback)
        callback(callbackContext, &record);
}

FAKE_EXPORT std::intptr_t KelpoSend(std::intptr_t, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    FakeMessage entry{msg, std::intptr_t(wParam), lParam, {}};
    if (msg == FakeEchoText)
        entry.text = reinterpret_cast<const char*>(lParam);
    messages.push_back(entry);
    switch (msg) {
    case FakeFillBuffer: std::copy_n("filled", 7, reinterpret_cast<char*>(lParam)); return 6;
    case sci::SCI_GETENDSTYLED:
        if (nestOnEndStyled)
            FakeNotify(sci::SCN_STYLENEEDED, endStyled + 1);
        return endStyled;
    case sci::SCI_LINEFROMPOSITION: return std::intptr_t(wParam) / FakeLineLength;
    case sci::EM_LINEINDEX: return wParam == 0 ? 0 : -1;
    case sci::SCI_LINELENGTH: return wParam == 0 ? std::intptr_t(line0.size()) : 0;
    case sci::SCI_GETLINE:
        if (wParam == 0)
            std::copy(line0.begin(), line0.end(), reinterpret_cast<char*>(lParam));
        return wParam == 0 ? std::intptr_t(line0.size()) : 0;
    default: return 0;
    }
}

FAKE_EXPORT void KelpoSetCallback(std::intptr_t, KelpoCallback cb, void* context, KelpoCallback* previous,
                                  void** previousContext)
{
    if (previous)
        *previous = callback;
    if (previousContext)
        *previousContext = callbackContext;
    callback = cb;
    callbackContext = context;
}

FAKE_EXPORT std::vector<FakeMessage>* FakeLog() { return &messages; }

FAKE_EXPORT void FakeSetLine(const char* text) { line0 = text; }

FAKE_EXPORT void FakeSet(std::intptr_t create, std::int32_t styled, bool nest)
{
    createResult = create;
    endStyled = styled;
    nestOnEndStyled = nest;
}
