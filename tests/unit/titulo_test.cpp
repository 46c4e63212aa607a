#include <gtest/gtest.h>

#include "engine/Titulo.h"
#include "tests/fake/EscritorioFalso.h"

namespace tesk::prueba {
namespace {

TEST(NormalizarTitulo, QuitaCadaNuloYRecortaSoloLosEspacios) {
    EXPECT_EQ(NormalizarTitulo(std::wstring(L"  Bloc\0 de notas  ", 18)), L"Bloc de notas");
    EXPECT_EQ(NormalizarTitulo(std::wstring(L"\0\0Doc\0", 6)), L"Doc");
    EXPECT_EQ(NormalizarTitulo(L"\tCon tab\t"), L"\tCon tab\t");
    EXPECT_EQ(NormalizarTitulo(L" \t "), L"\t");
    EXPECT_EQ(NormalizarTitulo(L"     "), L"");
    EXPECT_EQ(NormalizarTitulo(std::wstring(L" \0 \0 ", 5)), L"");
    EXPECT_EQ(NormalizarTitulo(L""), L"");
}

TEST(NormalizarTitulo, DejaCualquierEscrituraTalCual) {
    for (const std::wstring t : {L"Documento — año 2026", L"文档 - 记事本", L"مستند جديد", L"מסמך", L"Notas \U0001F600"}) {
        EXPECT_EQ(NormalizarTitulo(L"  " + t + L" "), t);
    }
}

TEST(LeerTitulo, GuardaComoMuchoElBuferMenosUno) {
    EscritorioFalso escritorio;
    const Handle largo = escritorio.Abrir(std::wstring(10000, L'x'));
    EXPECT_EQ(LeerTitulo(escritorio, largo), std::wstring(255, L'x'));
    // The cut falls before trimming: 255 characters of which the last are spaces.
    const Handle conEspacios = escritorio.Abrir(std::wstring(250, L'a') + std::wstring(20, L' ') + L"z");
    EXPECT_EQ(LeerTitulo(escritorio, conEspacios), std::wstring(250, L'a'));
    escritorio.Cerrar(largo);
    EXPECT_EQ(LeerTitulo(escritorio, largo), L"");
}

}  // namespace
}  // namespace tesk::prueba
