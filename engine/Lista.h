// The candidate list: the texts of the listed windows and the user's marks,
// read by position. The panel keeps it in its list box; tests keep it in
// memory.
#pragma once

#include <string>
#include <vector>

namespace tesk {

class Lista {
public:
    virtual ~Lista() = default;

    // Removes every entry, and with them every mark.
    virtual void Limpiar() = 0;
    // Appends an unmarked entry.
    virtual void Agregar(const std::wstring& texto) = 0;

    virtual int Cantidad() const = 0;
    virtual int CantidadMarcadas() const = 0;
    virtual bool Marcada(int indice) const = 0;
    virtual std::wstring Texto(int indice) const = 0;
    virtual void Marcar(int indice, bool marcada) = 0;
};

class ListaMemoria final : public Lista {
public:
    void Limpiar() override;
    void Agregar(const std::wstring& texto) override;
    int Cantidad() const override;
    int CantidadMarcadas() const override;
    bool Marcada(int indice) const override;
    std::wstring Texto(int indice) const override;
    void Marcar(int indice, bool marcada) override;

private:
    struct Entrada {
        std::wstring texto;
        bool marcada = false;
    };
    std::vector<Entrada> entradas_;
    int marcadas_ = 0;
};

}  // namespace tesk
