// Identifiers of the resources in tavori.rc, shared with the code that loads them.
#pragma once

#define TAVORI_ICON_ID 101
