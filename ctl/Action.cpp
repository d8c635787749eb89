#include "Action.h"

#include <utility>

namespace {

class TDeviceAction : public TAction {
public:
    explicit TDeviceAction(std::function<void(TKR7&)> send) : send_(std::move(send)) {}
    std::optional<TFailure> Run(TContext& context) override {
        send_(context.device);
        return std::nullopt;
    }

private:
    std::function<void(TKR7&)> send_;
};

} // namespace

TActionPtr DeviceAction(std::function<void(TKR7&)> send) {
    return std::make_unique<TDeviceAction>(std::move(send));
}
