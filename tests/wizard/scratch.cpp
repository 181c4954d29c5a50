#include "tests/wizard/scratch.h"

#include "wizard/install_support.h"

namespace inst_test {

RunImageBeside::RunImageBeside() : path_(InstallerFolder() + L"RunImage\\") {
    RemoveTree(path_.substr(0, path_.size() - 1));
    for (const auto& [name, content] : Files()) WriteText(path_ + name, content);
}

RunImageBeside::~RunImageBeside() { RemoveTree(path_.substr(0, path_.size() - 1)); }

const std::map<std::wstring, std::string>& RunImageBeside::Files() {
    static const std::map<std::wstring, std::string> files = {
        {L"Vel.exe", "program 3.51"},
        {L"wysw8.dll", "biblioteka 3.51"},
        {L"VELHELP.HLP", "pomoc"},
        {L"velhelp.cnt", "spis"},
        {L"Dane\\tablica.ini", "wzorcowe ustawienia"},
    };
    return files;
}

}  // namespace inst_test
