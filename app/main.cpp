#include "app/application.h"

int main() { return StartApplication(); }
