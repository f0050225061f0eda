// A bounded most-recently-used cache of owned bitmaps under 64-bit keys. The
// bitmap type is a parameter so that the rules can be tested without a
// graphics library; the program uses it with GDI+ bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <new>

#include "hresult.h"

template <typename Bitmap>
class MruBitmapCache_CL {
 public:
  typedef std::unique_ptr<Bitmap> BitmapOwner;

  explicit MruBitmapCache_CL(unsigned capacity) : capacity_(capacity) {}
  virtual ~MruBitmapCache_CL() { Clear(); }
  MruBitmapCache_CL(const MruBitmapCache_CL&) = delete;
  MruBitmapCache_CL& operator=(const MruBitmapCache_CL&) = delete;

  // The bitmap under key, made the most recently used; the cache keeps it.
  // An entry without a bitmap (a placeholder that could not be allocated) is
  // never returned.
  Bitmap* Find(std::uint64_t key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->kind == 0 && it->key == key && it->bitmap) {
        entries_.splice(entries_.begin(), entries_, it);
        return entries_.front().bitmap.get();
      }
    }
    return nullptr;
  }

  // Whether key has an entry, with or without a bitmap; the order stays.
  bool Contains(std::uint64_t key) const {
    for (const CacheEntry& entry : entries_) {
      if (entry.kind == 0 && entry.key == key) return true;
    }
    return false;
  }

  // Stores bitmap (which may be null) under key as the most recently used
  // entry, replacing and deleting what the key held. A new key beyond the
  // capacity evicts the least recently used entry. E_FAIL when no entry could
  // be allocated; the bitmap is then deleted.
  HRESULT Add(std::uint64_t key, BitmapOwner bitmap) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->kind == 0 && it->key == key) {
        it->bitmap = std::move(bitmap);
        entries_.splice(entries_.begin(), entries_, it);
        return S_OK;
      }
    }
    // The node is allocated before anything is evicted, so a failure leaves
    // the cache as it was.
    try {
      entries_.emplace_front();
    } catch (const std::bad_alloc&) {
      return E_FAIL;
    }
    CacheEntry& entry = entries_.front();
    entry.key = key;
    entry.bitmap = std::move(bitmap);
    const std::size_t limit = capacity_ > 0 ? capacity_ : 1;
    while (entries_.size() > limit) entries_.pop_back();
    return S_OK;
  }

  // Deletes the entry under key and its bitmap; E_FAIL when there is none.
  HRESULT Remove(std::uint64_t key) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->kind == 0 && it->key == key) {
        entries_.erase(it);
        return S_OK;
      }
    }
    return E_FAIL;
  }

  void Clear() { entries_.clear(); }
  // A new capacity; the least recently used entries beyond it go at once.
  void SetCapacity(unsigned capacity) {
    capacity_ = capacity;
    const std::size_t limit = capacity_ > 0 ? capacity_ : 1;
    while (entries_.size() > limit) entries_.pop_back();
  }

  std::size_t Count() const { return entries_.size(); }
  unsigned Capacity() const { return capacity_; }

 private:
  struct CacheEntry {
    int kind = 0;  // only kind 0 is ever stored or matched
    std::uint64_t key = 0;
    BitmapOwner bitmap;
  };

  unsigned capacity_;
  std::list<CacheEntry> entries_;  // front: most recently used
};

// The key of a photo's thumbnail: its index in the low half, the index's sign
// in the high half.
inline std::uint64_t ThumbnailCacheKey(int index) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(index));
}
