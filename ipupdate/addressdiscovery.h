#pragma once

#include "socketlayer.h"
#include "startupui.h"

namespace ipupdate {

// Finds this machine's IPv4 address and writes it into Text3, and "http://" with it into Text4,
// or shows why it could not.
void DiscoverLocalAddress(SocketLayer &layer, StartupUi &ui);

} // namespace ipupdate
