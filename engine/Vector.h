// The program's one container. Storage grows by the integer part of 10 + 0.4 x count
// slots when full; every slot of the storage holds a constructed element, so that a
// cleared vector reuses its slots by assignment without allocating again.
#pragma once

#include <cstdint>
#include <new>
#include <utility>

namespace TesselEngine {

template <typename T> class Allocator {
public:
    static constexpr std::uint32_t NoIndex = 0xFFFFFFFFu;

    Allocator() = default;
    ~Allocator() { Deallocate(); }
    Allocator(const Allocator& other) { CopyFrom(other); }
    Allocator& operator=(const Allocator& other) {
        if (this != &other) {
            Deallocate();
            CopyFrom(other);
        }
        return *this;
    }
    Allocator(Allocator&& other) noexcept { TakeFrom(other); }
    Allocator& operator=(Allocator&& other) noexcept {
        if (this != &other) {
            Deallocate();
            TakeFrom(other);
        }
        return *this;
    }

    std::uint32_t GetIndexSize() const { return lastIndex + 1; }
    std::uint64_t GetCapacity() const { return capacity; }
    T& GetTypeMemory(std::uint32_t i) { return memory[i]; }
    const T& GetTypeMemory(std::uint32_t i) const { return memory[i]; }

    // Grows the storage by n default-constructed slots; false leaves it unchanged.
    bool AllocateAppend(std::uint32_t n) {
        const std::uint64_t grown = capacity + n;
        T* fresh = new (std::nothrow) T[grown];
        if (!fresh)
            return false;
        for (std::uint64_t i = 0; i < capacity; ++i)
            fresh[i] = std::move(memory[i]);
        delete[] memory;
        memory = fresh;
        capacity = grown;
        return true;
    }

    // Appends a copy of item; false when the storage could not grow.
    bool PushBackType(const T& item) {
        if (!MakeRoom())
            return false;
        ++lastIndex;
        memory[lastIndex] = item;
        return true;
    }
    bool PushBackType(T&& item) {
        if (!MakeRoom())
            return false;
        ++lastIndex;
        memory[lastIndex] = std::move(item);
        return true;
    }

    // Empties the vector and keeps its storage for reuse.
    void ClearMemory() { lastIndex = NoIndex; }

    void Deallocate() {
        delete[] memory;
        memory = nullptr;
        capacity = 0;
        lastIndex = NoIndex;
    }

protected:
    bool MakeRoom() {
        const std::uint32_t count = lastIndex + 1;
        if (count < capacity)
            return true;
        if (count == NoIndex)
            return false; // the 32-bit index is exhausted
        const auto growth = static_cast<std::uint32_t>(10.0f + 0.4f * static_cast<float>(count));
        return AllocateAppend(growth);
    }

    void CopyFrom(const Allocator& other) {
        const std::uint32_t count = other.lastIndex + 1;
        if (count == 0)
            return;
        memory = new T[other.capacity];
        capacity = other.capacity;
        for (std::uint32_t i = 0; i < count; ++i)
            memory[i] = other.memory[i];
        lastIndex = other.lastIndex;
    }

    void TakeFrom(Allocator& other) {
        memory = std::exchange(other.memory, nullptr);
        capacity = std::exchange(other.capacity, 0);
        lastIndex = std::exchange(other.lastIndex, NoIndex);
    }

    T* memory = nullptr;
    std::uint64_t capacity = 0;
    std::uint32_t lastIndex = NoIndex;
};

namespace TTL {

template <typename T> class Vector : public Allocator<T> {
public:
    std::uint32_t GetSize() const { return this->lastIndex + 1; }
    T& operator[](std::uint32_t i) { return this->memory[i]; }
    const T& operator[](std::uint32_t i) const { return this->memory[i]; }
    bool PushBack(const T& item) { return this->PushBackType(item); }
    bool PushBack(T&& item) { return this->PushBackType(std::move(item)); }
    void ClearContent() { this->ClearMemory(); }
    // Room for n elements in all, so that appending them grows the storage at most once.
    bool Reserve(std::uint32_t n) {
        return n <= this->capacity ||
               this->AllocateAppend(n - static_cast<std::uint32_t>(this->capacity));
    }

    // Removal for the managers that need it: the last element takes the place.
    void RemoveSwapLast(std::uint32_t i) {
        const std::uint32_t last = this->lastIndex;
        if (i != last)
            std::swap(this->memory[i], this->memory[last]);
        --this->lastIndex;
    }

    T* begin() { return this->memory; }
    T* end() { return this->memory + GetSize(); }
    const T* begin() const { return this->memory; }
    const T* end() const { return this->memory + GetSize(); }
};

} // namespace TTL
} // namespace TesselEngine
