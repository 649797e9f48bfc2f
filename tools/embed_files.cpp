// Build-time tool: writes a C++ source that carries the given BMP files as
// byte arrays, so the programs read no data file at start-up.
//   embed_files OUT.cpp FILE.bmp...
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: embed_files OUT.cpp FILE...\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Generated at build time from templates/*.bmp; do not edit.\n"
           "#include \"templates/TemplateSet.h\"\n\nnamespace vk {\nnamespace {\n";
    std::vector<std::string> names;
    for (int i = 2; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "embed_files: cannot read %s\n", argv[i]);
            return 1;
        }
        std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string path = argv[i];
        std::string base = path.substr(path.find_last_of("/\\") + 1);
        base = base.substr(0, base.rfind('.'));
        names.push_back(base);
        out << "const unsigned char k_" << i << "[] = {";
        for (std::size_t b = 0; b < bytes.size(); ++b) {
            if (b % 24 == 0) out << "\n";
            out << unsigned(bytes[b]) << ",";
        }
        out << "};\n";
    }
    out << "} // namespace\n\nconst std::vector<EmbeddedFile>& embeddedTemplateFiles() {\n"
           "    static const std::vector<EmbeddedFile> files = {\n";
    for (int i = 2; i < argc; ++i)
        out << "        {\"" << names[std::size_t(i - 2)] << "\", k_" << i << ", sizeof k_" << i << "},\n";
    out << "    };\n    return files;\n}\n\n} // namespace vk\n";
    return out ? 0 : 1;
}
