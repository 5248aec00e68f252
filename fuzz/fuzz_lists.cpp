// The list files of any bytes: the rubrique lists, the TVA rates and an objet
// file are read and shown in the entry lists. What is checked is that nothing
// crashes or trips the sanitizers.
#include "fuzz_support.h"
#include "lists/lists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    emptyFuzzFolder();
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const char* name : {"Rubrique.ope", "Rubrique.pen", "Tva.txt", "LOYER.OBJ"})
        writeBytes(fuzzFolder() / name, bytes);

    TestPlatform platform = unattendedPlatform();
    MainForm form(platform);
    form.Form_Load(L"");
    form.AfficheRubrique();
    form.w.Liste.show(false);
    form.lst.objetFilePath = fuzzFile("LOYER.OBJ");
    form.AfficheObjet();
    form.dial_Tva();
    for (size_t i = 2; i < form.w.Liste.items.size(); ++i) tvaRateValue(form.w.Liste.items[i]);
    return 0;
}
