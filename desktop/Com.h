// Owners for what COM hands out: an interface, released once by its owner;
// a string the callee allocated, freed with CoTaskMemFree; and the
// apartment of the program's one thread, entered once and left last.
#pragma once

#include <objbase.h>

#include <utility>

namespace tesk {

template <class T>
class ComPropio {
public:
    ComPropio() = default;
    ComPropio(const ComPropio&) = delete;
    ComPropio& operator=(const ComPropio&) = delete;
    ComPropio(ComPropio&& otro) noexcept : p_(std::exchange(otro.p_, nullptr)) {}
    ComPropio& operator=(ComPropio&& otro) noexcept {
        if (this != &otro) {
            Soltar();
            p_ = std::exchange(otro.p_, nullptr);
        }
        return *this;
    }
    ~ComPropio() { Soltar(); }

    // Where a call writes the interface it hands out; whatever was held
    // before is released first.
    T** Poner() {
        Soltar();
        return &p_;
    }
    void** PonerVoid() { return reinterpret_cast<void**>(Poner()); }
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Soltar() {
        if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

// A string allocated by the callee.
class CadenaCom {
public:
    CadenaCom() = default;
    CadenaCom(const CadenaCom&) = delete;
    CadenaCom& operator=(const CadenaCom&) = delete;
    ~CadenaCom() { ::CoTaskMemFree(p_); }
    LPWSTR* Poner() {
        ::CoTaskMemFree(std::exchange(p_, nullptr));
        return &p_;
    }
    const wchar_t* get() const { return p_; }

private:
    LPWSTR p_ = nullptr;
};

// The program's thread in a single-threaded apartment, entered on the first
// need and left when the owner goes, after every interface it held.
class ApartamentoCom {
public:
    ApartamentoCom() = default;
    ApartamentoCom(const ApartamentoCom&) = delete;
    ApartamentoCom& operator=(const ApartamentoCom&) = delete;
    ~ApartamentoCom() {
        if (salir_) ::CoUninitialize();
    }
    // Whether COM can be used on this thread. Tried once: a thread already
    // in another apartment is used as it is; a failure is not tried again.
    bool Entrar() {
        if (!intentado_) {
            intentado_ = true;
            const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            salir_ = SUCCEEDED(hr);
            listo_ = salir_ || hr == RPC_E_CHANGED_MODE;
        }
        return listo_;
    }

private:
    bool intentado_ = false;
    bool listo_ = false;
    bool salir_ = false;
};

}  // namespace tesk
