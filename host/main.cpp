// Process entry: the whole life of the program runs in the host's Main.
int main() { return 0; }
