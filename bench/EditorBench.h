// What the benchmarks that drive the whole editor share: a scratch folder holding the generated
// program, and a main that brings up the main window on the real component.
#pragma once

#include <functional>
#include <memory>
#include <string>

class Application;
class DialogService;

// The scratch folder of this run (valid inside RunEditorBenchmarks).
std::string BenchFile(const char* name);
// BenchFile("program.nc"), holding CncProgram().
std::string BenchProgramPath();

// The editor under measurement (valid inside RunEditorBenchmarks).
Application& BenchApp();

// Creates the application (with the given dialog service, or the real one) and the scratch
// folder with the program, runs setUp (which returns the program folder to use, empty on
// failure), shows the main window, then runs every registered benchmark.
int RunEditorBenchmarks(int argc, char** argv, const std::function<std::string(const std::string& scratch)>& setUp,
                        std::unique_ptr<DialogService> dialogs = nullptr);
