// Prints every record of a binary component stream file as text, the way
// the Pascal runtime reads such streams: an outside check of the grid's
// binary cell format.
program bin2text;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  Input: TMemoryStream;
  Output: TStringStream;
begin
  Input := TMemoryStream.Create;
  Output := TStringStream.Create('');
  try
    Input.LoadFromFile(ParamStr(1));
    while Input.Position < Input.Size do
      ObjectBinaryToText(Input, Output);
    Write(Output.DataString);
  finally
    Input.Free;
    Output.Free;
  end;
end.
