<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Qt's own dialogs, the texts its Hungarian translation lacks. The contexts
     and sources are Qt's; a text Qt later translates itself is simply asked
     here first and answered the same way. -->
<TS version="2.1" language="hu_HU">
<context>
    <name>QPrintSettingsOutput</name>
    <message>
        <source>Pages</source>
        <translation>Oldalak</translation>
    </message>
    <message>
        <source>Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.</source>
        <translation>Oldalak vagy tartományok vesszővel elválasztva. Egy tartomány két, kötőjellel elválasztott szám. Például a 3,5-7,9 a 3., 5., 6., 7. és 9. oldalt nyomtatja.</translation>
    </message>
    <message>
        <source>Double Sided Printing</source>
        <translation>Kétoldalas nyomtatás</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Ki</translation>
    </message>
    <message>
        <source>Long side binding</source>
        <translation>Kötés a hosszú oldalon</translation>
    </message>
    <message>
        <source>Short side binding</source>
        <translation>Kötés a rövid oldalon</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesWidget</name>
    <message>
        <source>Advanced</source>
        <translation>Speciális</translation>
    </message>
</context>
<context>
    <name>QPrintPropertiesDialog</name>
    <message>
        <source>Page Setup Conflicts</source>
        <translation>Ütköző oldalbeállítások</translation>
    </message>
    <message>
        <source>There are conflicts in page setup options. Do you want to fix them?</source>
        <translation>Az oldalbeállítások ütköznek egymással. Kijavítja őket?</translation>
    </message>
    <message>
        <source>Advanced Option Conflicts</source>
        <translation>Ütköző speciális beállítások</translation>
    </message>
    <message>
        <source>There are conflicts in some advanced options. Do you want to fix them?</source>
        <translation>Néhány speciális beállítás ütközik egymással. Kijavítja őket?</translation>
    </message>
</context>
<context>
    <name>QPrintDialog</name>
    <message>
        <source>Invalid Pages Definition</source>
        <translation>Hibás oldalmegadás</translation>
    </message>
    <message>
        <source>%1 does not follow the correct syntax. Please use &apos;,&apos; to separate ranges and pages, &apos;-&apos; to define ranges and make sure ranges do not intersect with each other.</source>
        <translation>A(z) %1 nem helyes megadás. Az oldalakat és tartományokat vessző (,) válassza el, a tartományt kötőjel (-) jelölje, és a tartományok ne fedjék egymást.</translation>
    </message>
    <message>
        <source>Duplex Settings Conflicts</source>
        <translation>Ütköző kétoldalas beállítások</translation>
    </message>
    <message>
        <source>There are conflicts in duplex settings. Do you want to fix them?</source>
        <translation>A kétoldalas nyomtatás beállításai ütköznek egymással. Kijavítja őket?</translation>
    </message>
    <message>
        <source>There are conflicts in some options. Please fix them.</source>
        <translation>Néhány beállítás ütközik egymással. Kérem, javítsa ki őket.</translation>
    </message>
</context>
</TS>
