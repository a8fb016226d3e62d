#pragma once

// How the program names itself to the desktop.

#include "quorvela/version.h"
#include "runtime/form.h"

namespace quorvela {

inline constexpr runtime::Identity QuorvelaIdentity{
    .name = version::ApplicationName,
    .version = version::Version,
    .organizationDomain = version::OrganizationDomain,
    .applicationId = version::ApplicationId,
    .description = version::Description,
};

}  // namespace quorvela
