#pragma once

#include <cstddef>
#include <new>
#include <stdexcept>
#include <vector>

// A heap array indexed from 1 to n; element 0 exists and stays zero so that the classical
// index arithmetic may touch it. It never holds fewer than 256 elements.
template <typename T> class OneBasedArray {
public:
    static constexpr std::size_t kMinElements = 256;

    // Allocates n + 1 zero-filled elements (at least kMinElements); on failure the array is empty.
    bool Create(std::size_t n) {
        try {
            m_data.assign(n + 1 < kMinElements ? kMinElements : n + 1, T{});
        } catch (const std::bad_alloc&) {
            m_data.clear();
            m_data.shrink_to_fit();
        } catch (const std::length_error&) {
            m_data.clear();
        }
        return !IsEmpty();
    }
    // Creates n elements copied from the zero-based source (source[i - 1] goes to element i).
    bool CreateCopy(const T* source, std::size_t n) {
        if (!Create(n)) {
            return false;
        }
        for (std::size_t i = 0; i < n; ++i) {
            m_data[i + 1] = source[i];
        }
        return true;
    }
    bool IsEmpty() const { return m_data.empty(); }
    // Number of usable one-based elements (the allocation less element 0).
    std::size_t Capacity() const { return m_data.empty() ? 0 : m_data.size() - 1; }
    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }
    T* Data() { return m_data.data(); }
    const T* Data() const { return m_data.data(); }

private:
    std::vector<T> m_data;
};
