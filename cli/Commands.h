// The operations of vaskedit-cli. Each returns the exit status: 0 success, 1 failure
// (with the program's message on standard error), 2 an argument that cannot be used
// (such as a filter text longer than any cached value).
#pragma once

#include <string>

namespace VaskCli {

enum class Field { Any, Name, Owner, Quest, Guid };

int Split();
int Merge();
int CacheUpdate();
int CacheList();
int Filter(Field field, const std::string& text);
int Search(const std::string& text);
int Owners();
int TemplatesUpdate();
int TemplatesList();
int TemplatesFind(const std::string& name, const std::string& guid);
int TemplatesFilter(Field field, const std::string& text);
int Show(const std::string& nameOrPath);
// Refuses, with the first lines that would change, an info whose untouched save would
// not write its file's bytes again, unless forced.
int Resave(const std::string& nameOrPath, bool force);
// Prints the check report's findings; 1 when any of them is an error.
int Check();

} // namespace VaskCli
