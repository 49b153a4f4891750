#pragma once
#include <windows.h>

#include "platform/registry.h"

namespace vorlen {

// Visits every sub-key of an open key in index order, with its name whole
// (the buffer grows for a name longer than Windows allows, as another
// registry or the native API can hold) and its last-write time. A sub-key
// whose name cannot be read is left out and the ones after it still
// visited; the enumeration ends when the registry has no more, or after a run
// of failures (a key deleted meanwhile fails every index).
//
// The key needs the enumerate right; with the query right as well a key of
// many sub-keys is read by several threads at once, since under Wine each
// index is a round trip to the registry's server and a refresh of the list
// enumerates every entry. The visits still come in index order on the
// calling thread.
void EnumerateSubKeys(HKEY key, const SubKeyVisitor& visit);

}  // namespace vorlen
