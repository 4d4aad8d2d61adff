// A loadable module that is not a component: it lacks the component's entry points.
extern "C" __attribute__((visibility("default"))) int ForeignEntry() { return 42; }
