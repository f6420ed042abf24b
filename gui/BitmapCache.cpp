#include "BitmapCache.h"

LICE_IBitmap* BitmapCache::find(int resourceId)
{
    std::lock_guard<std::mutex> guard(lock_);
    for (const Entry& entry : entries_)
        if (entry.resourceId == resourceId) return entry.bitmap.get();
    return nullptr;
}

void BitmapCache::add(int resourceId, LICE_IBitmap* bitmap)
{
    std::unique_ptr<LICE_IBitmap> owned(bitmap);
    std::lock_guard<std::mutex> guard(lock_);
    entries_.push_back(Entry {resourceId, std::move(owned)});
}

// Destroyed with the module's static objects, which empties it when the module
// unloads.
BitmapCache& SharedBitmapCache()
{
    static BitmapCache cache;
    return cache;
}
