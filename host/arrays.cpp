#include "host/arrays.h"

#include <utility>

#include "host/host.h"

namespace host {

ArrayStorage::~ArrayStorage() { Game().Deallocate(data_); }

ArrayStorage::ArrayStorage(ArrayStorage&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), capacity_(std::exchange(other.capacity_, 0)) {}

ArrayStorage& ArrayStorage::operator=(ArrayStorage&& other) noexcept {
    if (this != &other) {
        Game().Deallocate(data_);
        data_ = std::exchange(other.data_, nullptr);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

bool ArrayStorage::ReserveFor(const veltrane::CountedArrayHeader& array, std::uint32_t count,
                              std::uint32_t elementSize) {
    if (count <= array.capacity || count <= capacity_) return true;
    void* data = Game().Allocate(std::uint64_t{count} * elementSize);
    if (data == nullptr) return false;
    Game().Deallocate(data_);
    data_ = data;
    capacity_ = count;
    return true;
}

void ArrayStorage::EmptyInto(veltrane::CountedArrayHeader& array) {
    array.count = 0;
    if (data_ == nullptr) return;
    // The array's elements are replaced whole, so nothing of its old storage
    // is kept; it goes back once the array no longer points to it, as the
    // game's own append gives back what it outgrew.
    void* old = std::exchange(array.data, std::exchange(data_, nullptr));
    array.capacity = std::exchange(capacity_, 0);
    Game().Deallocate(old);
}

}  // namespace host
