#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "LICE_IBitmap.h"

// The process-wide store of decoded images, keyed by resource id, shared by every
// editor so that each image is decoded once. Its lock is held only while searching
// or appending. The bitmaps live until the module unloads.
class BitmapCache {
public:
    BitmapCache() = default;
    BitmapCache(const BitmapCache&) = delete;
    BitmapCache& operator=(const BitmapCache&) = delete;

    // The first image stored under the id, or null.
    LICE_IBitmap* find(int resourceId);
    // Takes ownership of the bitmap.
    void add(int resourceId, LICE_IBitmap* bitmap);

private:
    struct Entry {
        int resourceId;
        std::unique_ptr<LICE_IBitmap> bitmap;
    };

    std::mutex lock_;
    std::vector<Entry> entries_;
};

BitmapCache& SharedBitmapCache();
