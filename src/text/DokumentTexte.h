// The messages and fixed names of documents, files and user variables, in the three languages.
#pragma once

#include "text/Sprache.h"

namespace torvi::texte {

// %1: the file name with its folder.
inline constexpr TText3 kDateiNichtGeschrieben{"Die Datei \"%1\" kann nicht geschrieben werden.",
                                               "The file \"%1\" can not be written.",
                                               "Le fichier \"%1\" n´a pas pu être sauvé."};
// Follows the file name without its folder.
inline constexpr TText3 kKeineTorviDatei{" ist keine Torvi Datei",
                                         " has not the Torvi file format.",
                                         " n´est pas un fichier au format Torvi."};
// %1: the file name with its folder, %2: what is wrong (offset included).
inline constexpr TText3 kDateiBeschaedigt{"Die Datei \"%1\" kann nicht gelesen werden: %2",
                                          "The file \"%1\" can not be read: %2",
                                          "Le fichier \"%1\" n´a pas pu être lu : %2"};
// %1: the file name with its folder.
inline constexpr TText3 kDateiNichtGeoeffnet{"Die Datei \"%1\" kann nicht geöffnet werden.",
                                             "The file \"%1\" can not be opened.",
                                             "Le fichier \"%1\" n´a pas pu être ouvert."};
// The page a document gets when a file with another magic was opened.
inline constexpr TText3 kBlatt1{"Blatt 1", "Page 1", "Page 1"};
inline constexpr TText3 kNeuesBlatt{"Neues Blatt", "New page", "Nouvelle page"};
// %1: the variable's name, %2: the new text.
inline constexpr TText3 kVariableDefiniert{
    "Die Variable \"%1\" ist bereits definiert.\rSoll der neue Inhalt \"%2\" übernommen werden?",
    "The variable \"%1\" is already defined.\rReplace with the new content \"%2\" ?",
    "La variable \"%1\" est déjà définie.\rRemplacer avec la nouvelle valeur \"%2\" ?"};
// %1: the variable's name.
inline constexpr TText3 kVariableDoppelt{
    "Die Variable \"%1\" ist doppelt definiert.\rDoppelte Definitionen sind nicht "
    "erlaubt.\rEntfernen Sie bitte eine der Variablen oder benennen Sie diese um.",
    "The variable \"%1\" is defined twice.\rMultiple definitions are not allowed.\rPlease "
    "delete or rename the variable.",
    "La variable \"%1\" est définie deux fois.\rLes définitions multiples ne sont pas "
    "permises.\rEffacez ou renommez la variable s´il vous plaît."};
inline constexpr TText3 kVariablenKopfName{"Name", "Name", "Nom"};
inline constexpr TText3 kVariablenKopfText{"Text", "Text", "Texte"};

} // namespace torvi::texte
