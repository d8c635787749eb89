#include "Action.h"

#include <utility>

namespace {

class TDeviceAction : public TAction {
public:
    TDeviceAction(std::function<void(TKR7&)> send, std::vector<std::string> warnings)
        : send_(std::move(send)), warnings_(std::move(warnings)) {}
    std::optional<TFailure> Run(TContext& context) override {
        for (const std::string& warning : warnings_)
            context.notes << "kr7ctl: warning: " << warning << "\n";
        send_(context.device);
        return std::nullopt;
    }

private:
    std::function<void(TKR7&)> send_;
    std::vector<std::string> warnings_;
};

} // namespace

TActionPtr DeviceAction(std::function<void(TKR7&)> send) {
    return DeviceAction(std::move(send), {});
}

TActionPtr DeviceAction(std::function<void(TKR7&)> send, std::vector<std::string> warnings) {
    return std::make_unique<TDeviceAction>(std::move(send), std::move(warnings));
}
