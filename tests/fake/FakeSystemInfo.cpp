#include "FakeSystemInfo.h"

namespace sorvane {

bool FakeSystemInfo::SetProcessPrivilege(const std::string& name, bool enable) {
    calls_.push_back((enable ? "enable " : "disable ") + name);
    return privilegeResult_;
}

bool FakeSystemInfo::EndSession(unsigned flags) {
    calls_.push_back("exit " + std::to_string(flags));
    exitRequests_.push_back(flags);
    return exitAccepted_;
}

}  // namespace sorvane
