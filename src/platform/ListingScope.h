#pragma once

#include <QtGlobal>

// Holds folder listings for a run of many file lookups, such as a skin's open:
// while one lives, each folder is listed at most once (see fs::holdListings).
// Scopes nest; the listings go with the outermost.
class ListingScope
{
public:
    ListingScope();
    ~ListingScope();
    Q_DISABLE_COPY_MOVE(ListingScope)
};
