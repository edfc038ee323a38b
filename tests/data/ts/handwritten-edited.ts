<?xml version='1.0' encoding='UTF-8'?>
<!DOCTYPE TS>
<!-- kept by hand -->
<TS version='2.1' language='de'>
<dependencies>
<dependency catalog='qtbase_de'/>
</dependencies>
<context>
  <name>Editor</name>
  <message numerus="yes" review="2">
        <location filename='editor.cpp' line='88'/>
        <location line='90' column='7'/>
        <source>%n line(s) &lt;b&gt;changed&lt;/b&gt; 😀</source>
        <translation type="unfinished">
            <numerusform>Übersetzung</numerusform>
            <numerusform>Übersetzung</numerusform>
        </translation>
    </message>
  <message>
        <source>Find &amp; replace</source>
        <translation type="unfinished" reviewer="ana">Übersetzung</translation>
        <extra-a-first>a</extra-a-first>
        <extra-z-last>z</extra-z-last>
        <tool-hint priority="high">keep
      short</tool-hint>
    </message>
  <message>
        <source>Close</source>
        <translation>Übersetzung</translation>
    </message>
  <message>
        <source>Quit</source>
        <translatorcomment>不译</translatorcomment>
        <translation>Übersetzung</translation>
    </message>
  <message><source>✓ Done</source><translation>Fertig</translation></message>
</context>
</TS>
