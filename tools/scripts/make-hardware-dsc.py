#!/usr/bin/env python3
"""Writes data/Hardware.dsc: the description the "Tipo Nodo" page shows for every node type and
software version the window offers (section Des, keys such as 4_1.50), in Windows-1252 with
CR LF, as the configurator reads its settings files. Run it again after changing the rules."""
import pathlib

SERIAL, ETHERNET = 1, 4


def serial(v):
    if v == 100:
        return ("Primera versión: recorrido de hasta 64 bloques y sin memoria alta. Se programa "
                "en 6 bloques (termina en \"Programado\"). RS-232 y RS-485 de 600 a 19200 "
                "baudios; enlace con el PC a 4800.")
    text = "Recorrido de hasta 192 bloques"
    if 110 <= v <= 200:
        text += (", con memoria alta (bloques 192 a 255, activar en el menú). Se programa en "
                 "14 bloques (termina en \"Programado!\").")
    else:
        text += (", sin memoria alta (los bloques 192 a 255 no existen en esta versión). Se "
                 "programa en 14 bloques (termina en \"Programado!\").")
    return text + " RS-232 y RS-485 de 600 a 19200 baudios; enlace con el PC a 4800."


def ethernet(v):
    text = "Modbus TCP por Ethernet (dirección IP, máscara, puerta de acceso y puerto TCP)"
    if 111 <= v <= 120:
        text += (", con e-mail: cinco cuentas de envío (SMTP) con sus disparos por variables "
                 "del PLC y recepción de órdenes por POP. Enlace con el PC a 9600 baudios.")
    else:
        text += ", sin e-mail. Enlace con el PC a 4800 baudios."
    return text + (" Recorrido de hasta 64 bloques, sin memoria alta; el PLC va siempre por el "
                   "puerto B.")


lines = ["; Descripción de cada tipo de nodo y versión de software (Brisa, página \"Tipo Nodo\").",
         "; Clave: tipo_versión, con punto decimal. Generado por tools/scripts/make-hardware-dsc.py.",
         "[Des]"]
for hw, describe in ((SERIAL, serial), (ETHERNET, ethernet)):
    for v in range(100, 201):
        lines.append(f"{hw}_{v // 100}.{v % 100:02d}={describe(v)}")
out = pathlib.Path(__file__).resolve().parents[2] / "data" / "Hardware.dsc"
out.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252"))
print(f"{out}: {len(lines) - 3} descripciones")
