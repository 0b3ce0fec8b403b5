// kc_core_fence: every object file of kc_core linked into one program with
// Qt Core, Xml, Network, SerialPort and SerialBus and nothing else. A core file that
// calls into Qt Gui or Qt Widgets, or into kc_gui, leaves an undefined symbol
// and this program fails to link. It is built with the tree; running it does
// nothing.
int main() {
    return 0;
}
