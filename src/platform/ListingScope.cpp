#include "platform/ListingScope.h"

#include "platform/FileSystem.h"

ListingScope::ListingScope()
{
    fs::holdListings();
}

ListingScope::~ListingScope()
{
    fs::releaseListings();
}
