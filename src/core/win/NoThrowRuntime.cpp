// Linked into the shipped program only. Nothing in it catches a C++
// exception, so a throw from the standard library could only end in
// std::terminate; ending the process at once instead keeps the unwinder,
// the exception classes with their strings and the name demangler of the
// verbose terminate handler out of the image. Tests link the library's
// own versions.
#include <cstdlib>
#include <new>

namespace {

[[noreturn]] void outOfLuck() { std::abort(); }

void* allocate(std::size_t size) {
    void* block = std::malloc(size != 0 ? size : 1);
    if (!block) outOfLuck();
    return block;
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return std::malloc(size != 0 ? size : 1); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }

namespace std {

void __throw_bad_alloc() { outOfLuck(); }
void __throw_bad_array_new_length() { outOfLuck(); }
void __throw_length_error(const char*) { outOfLuck(); }
void __throw_logic_error(const char*) { outOfLuck(); }
void __throw_out_of_range(const char*) { outOfLuck(); }
void __throw_out_of_range_fmt(const char*, ...) { outOfLuck(); }
void __throw_invalid_argument(const char*) { outOfLuck(); }
void __throw_system_error(int) { outOfLuck(); }
void __throw_bad_function_call() { outOfLuck(); }

}  // namespace std

// The library's own handler prints the exception's demangled type name first.
namespace __gnu_cxx {

void __verbose_terminate_handler() { outOfLuck(); }

}  // namespace __gnu_cxx
