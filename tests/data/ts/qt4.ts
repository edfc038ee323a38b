<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS><TS version="2.0" language="zh_CN">
<defaultcodec>UTF-8</defaultcodec>
<context encoding="UTF-8">
    <name>Wizard</name>
    <comment>The set-up wizard's pages</comment>
    <message utf8="true">
        <source>Next &gt;</source>
        <translation>下一步 &gt;</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation type="unfinished">完成</translation>
    </message>
</context>
</TS>
