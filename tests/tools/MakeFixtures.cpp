// Writes one file of each kind into a folder, for the command-line tests.
#include "../io/DateiFixture.h"

#include <cstdio>

int main(int argc, char** argv) {
    using namespace torvi;
    if (argc != 2) return 1;
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(ordner);
    TDokument d;
    test::BeispielDokument(d);
    test::TSkript skript;
    TEditor bibo;
    bibo.BlattName = "Bauteile";
    bibo.Elemente.push_back(test::Vieleck({{10, 10}, {50, 10}, {50, 50}}));
    const bool ok = DateiSpeichern(d, ordner + "/plan.trv", TDateiArt::Dokument, skript) &&
                    DateiSpeichern(d, ordner + "/blatt.blt", TDateiArt::Blatt, skript) &&
                    DateiSpeichern(d, ordner + "/form.SBK", TDateiArt::Formblatt, skript) &&
                    DateiSpeichern(bibo, ordner + "/LIB1.LIB", skript);
    QFile kaputt(ordner + "/kaputt.trv");
    const QByteArray bytes = DokumentBytes(d);
    if (!ok || !kaputt.open(QIODevice::WriteOnly) || kaputt.write(bytes.left(100)) != 100) {
        std::fprintf(stderr, "cannot write the fixtures\n");
        return 1;
    }
    return 0;
}
