#include "views/frame/expenseapp.h"

int main(int argc, char* argv[]) {
    return CExpenseApp::Main(argc, argv);
}
