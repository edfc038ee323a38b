<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../src/mainwindow.cpp" line="41"/>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../src/mainwindow.cpp" line="42"/>
        <source>Save &amp;As...	Ctrl+Shift+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>算了</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished">退出吧</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>First line
Second line</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>GNOME</source>
        <translatorcomment>不译</translatorcomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing matches this one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="vanished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="obsolete"></translation>
    </message>
</context>
<context>
    <name>Dialog</name>
    <message>
        <source>Close</source>
        <comment>dialog button</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A sentence far longer than the length limit of the job</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
