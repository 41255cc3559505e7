// Runs a fuzz entry point over every file of a seed folder, as an ordinary test.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
        return 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const QStringList files = dir.entryList(QDir::Files);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no seeds in %s\n", argv[1]);
        return 1;
    }
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly)) return 1;
        const QByteArray bytes = f.readAll();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
        // Every prefix too: truncation is the commonest damage.
        for (qsizetype cut = 0; cut < bytes.size(); cut += 1 + bytes.size() / 64)
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(cut));
    }
    std::printf("%lld seeds\n", static_cast<long long>(files.size()));
    return 0;
}
