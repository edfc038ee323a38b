<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Dialog</name>
    <message>
        <source>&amp;Open File...</source>
        <translation>打开文件(&amp;O)...</translation>
    </message>
    <message>
        <source>Max width:</source>
        <translation>最大宽度</translation>
    </message>
    <message>
        <source>Tom &amp;&amp; Jerry</source>
        <translation>汤姆和杰瑞</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Gone:</source>
        <translation type="vanished">已去</translation>
    </message>
</context>
</TS>
