// The process-wide dialog service slot.
#include "app/DialogService.h"

#include "app/QtDialogService.h"

namespace {
std::unique_ptr<DialogService>& Slot()
{
    static std::unique_ptr<DialogService> service;
    return service;
}
}  // namespace

DialogService& Dialogs()
{
    auto& service = Slot();
    if (!service)
        service = std::make_unique<QtDialogService>();
    return *service;
}

std::unique_ptr<DialogService> InstallDialogService(std::unique_ptr<DialogService> service)
{
    auto previous = std::move(Slot());
    Slot() = std::move(service);
    return previous;
}
